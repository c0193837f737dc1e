// sun-window-picture: writes the manual's picture of the Sun and Eclipses window.
//
//   QT_QPA_PLATFORM=offscreen sun-window-picture docs/sun_window.png

#include "app/application.h"
#include "app/sun_window_picture.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::ConfigureApplication(application);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: sun-window-picture <file.png>\n";
        return 2;
    }
    const QImage picture = app::DrawSunWindowPicture();
    if (picture.isNull()) {
        QTextStream(stderr) << "the Sun window did not show its figures within a minute\n";
        return 1;
    }
    if (!picture.save(arguments.at(1), "PNG")) {
        QTextStream(stderr) << "cannot write " << arguments.at(1) << "\n";
        return 1;
    }
    return 0;
}
