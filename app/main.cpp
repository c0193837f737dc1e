// orbit-designer: the repeat-orbit design window. It takes no command line,
// reads and writes no files; everything happens in its windows.

#include "app/application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::ConfigureApplication(application);
    app::OpenDesignWindow();
    return QApplication::exec();
}
