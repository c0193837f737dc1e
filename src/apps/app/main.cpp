// orbit-designer: the repeat-orbit design window. Everything happens in its
// windows. Its command line asks for help or the version, or opens the
// explorer at start.

#include "app/application.h"
#include "app/start_options.h"
#include "design_window/context_menu.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

int main(int argc, char** argv)
{
    const bool noScreen = app::ChoosePlatform(argc, argv);
    QApplication application(argc, argv);
    app::ConfigureApplication(application);
    QCommandLineParser parser;
    if (const std::optional<int> exitStatus = app::ReadCommandLine(parser, QApplication::arguments()))
        return *exitStatus;
    if (noScreen) {
        QTextStream(stderr) << "orbit-designer: " << app::kNoScreenText << ".\n";
        return 1;
    }
    design_window::OrbitDesVorn* window = app::OpenDesignWindow();
    if (parser.isSet(QString::fromLatin1(app::kExploreOption)))
        design_window::FindRepeatOrbits_Click(*window);
    return QApplication::exec();
}
