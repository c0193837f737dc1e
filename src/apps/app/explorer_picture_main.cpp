// explorer-picture: writes the README's picture of the explorer.
//
//   QT_QPA_PLATFORM=offscreen explorer-picture docs/explorer.png

#include "app/application.h"
#include "app/explorer_picture.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::ConfigureApplication(application);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: explorer-picture <file.png>\n";
        return 2;
    }
    const QImage picture = app::DrawExplorerPicture();
    if (picture.isNull()) {
        QTextStream(stderr) << "the explorer did not finish its work within a minute\n";
        return 1;
    }
    if (!picture.save(arguments.at(1), "PNG")) {
        QTextStream(stderr) << "cannot write " << arguments.at(1) << "\n";
        return 1;
    }
    return 0;
}
