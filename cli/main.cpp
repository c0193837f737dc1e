// repeat-orbit: the design core on the command line, for scripts and tables.

#include "cli/command_line.h"
#include "cli/design_command.h"
#include "cli/map_command.h"
#include "cli/pattern_command.h"
#include "cli/search_command.h"

int main(int argc, char** argv)
{
    CLI::App app{"Design circular Earth orbits whose ground track repeats (J2 model)", "repeat-orbit"};
    orbit::cli::AddDesignCommand(app);
    orbit::cli::AddSearchCommand(app);
    orbit::cli::AddPatternCommand(app);
    orbit::cli::AddMapCommand(app);
    return orbit::cli::RunCommandLine(app, argc, argv);
}
