// orbit-designer: the repeat-orbit design window. It reads and writes no
// files; everything happens in its windows. Its command line only asks for
// help or the version.

#include "app/application.h"
#include "app/start_options.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    app::ChoosePlatformForTextRequests(argc, argv);
    QApplication application(argc, argv);
    app::ConfigureApplication(application);
    QCommandLineParser parser;
    if (const std::optional<int> exitStatus = app::ReadCommandLine(parser, QApplication::arguments()))
        return *exitStatus;
    app::OpenDesignWindow();
    return QApplication::exec();
}
