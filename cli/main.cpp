// repeat-orbit: the design core on the command line, for scripts and tables.

#include "cli/command_line.h"
#include "cli/design_command.h"
#include "cli/pattern_command.h"
#include "cli/search_command.h"
#include "cli/standard_output.h"

int main(int argc, char** argv)
{
    orbit::cli::StandardOutput output;
    CLI::App app{"Design circular Earth orbits whose ground track repeats (J2 model)", "repeat-orbit"};
    orbit::cli::AddDesignCommand(app);
    orbit::cli::AddSearchCommand(app);
    orbit::cli::AddPatternCommand(app);
    return output.Finish(orbit::cli::RunCommandLine(app, argc, argv));
}
