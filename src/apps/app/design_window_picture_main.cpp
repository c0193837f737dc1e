// design-window-picture: writes the README's picture of the design window
// after a computation (N 14, M 1, Q 3, sun-synchronous).
//
//   QT_QPA_PLATFORM=offscreen design-window-picture docs/design_window.png

#include "app/application.h"
#include "app/design_window_picture.h"
#include "core/orbit_error.h"
#include "platform/picture_output.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::ConfigureApplication(application);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: design-window-picture <file.png>\n";
        return 2;
    }
    try {
        platform::WritePng(app::DrawDesignWindowPicture(), arguments.at(1));
    } catch (const orbit::OrbitError& e) {
        QTextStream(stderr) << e.what() << "\n";
        return 1;
    }
    return 0;
}
