// repeat-orbit: the design core on the command line, for scripts and tables.

#include "cli/access_command.h"
#include "cli/command_line.h"
#include "cli/coverage_command.h"
#include "cli/design_command.h"
#include "cli/export_command.h"
#include "cli/help_format.h"
#include "cli/map_command.h"
#include "cli/pattern_command.h"
#include "cli/refine_command.h"
#include "cli/search_command.h"
#include "cli/standard_output.h"
#include "cli/sun_command.h"

#include <string>

int main(int argc, char** argv)
{
    orbit::cli::StandardOutput output;
    CLI::App app{"Design circular Earth orbits whose ground track repeats (J2 model)", "repeat-orbit"};
    app.formatter(orbit::cli::ManualPageFormatter());
    app.footer("Run 'repeat-orbit COMMAND --help' for the options of one command.\n\n"
               "Exit status: 0 success, 1 computation error, 2 usage error.");
    app.set_version_flag("--version", std::string("repeat-orbit ") + REPEAT_ORBIT_VERSION);
    app.set_help_all_flag("--help-all", "Print this help message with every command's options and exit");
    orbit::cli::AddDesignCommand(app);
    orbit::cli::AddSearchCommand(app);
    orbit::cli::AddPatternCommand(app);
    orbit::cli::AddCoverageCommand(app);
    orbit::cli::AddMapCommand(app);
    orbit::cli::AddSunCommand(app);
    orbit::cli::AddRefineCommand(app);
    orbit::cli::AddExportCommand(app);
    orbit::cli::AddAccessCommand(app);
    return output.Finish(orbit::cli::RunCommandLine(app, argc, argv));
}
