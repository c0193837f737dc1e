#include "cli/design_command.h"

#include "cli/answer_file.h"
#include "cli/command_line.h"
#include "cli/design_input_options.h"
#include "cli/design_output.h"
#include "cli/design_run.h"

#include <iostream>
#include <memory>

namespace orbit::cli {

namespace {

struct DesignOptions {
    DesignInputOptions inputs;
    bool json = false;
    bool csv = false;
};

void RunDesignCommand(const DesignOptions& options)
{
    const DesignRun run = RunDesign(options.inputs.Request());
    if (options.json) {
        std::cout << DesignJson(run).dump(2) << '\n';
    } else if (options.csv) {
        WriteDesignCsv(run, std::cout);
    } else {
        WriteDesignText(run, std::cout);
        if (run.error)
            std::cerr << *run.error << '\n';
    }
    std::cout.flush();
    if (run.error)
        throw ComputationFailed();
}

}  // namespace

void AddDesignCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "design", "Solve one repeat orbit from N, M, Q and the orbit type, as the design window does");
    auto options = std::make_shared<DesignOptions>();
    AddDesignInputOptions(*command, options->inputs);
    CLI::Option* json =
        command->add_flag("--json", options->json, "Print one JSON object: fields, values, coverage, warnings");
    CLI::Option* csv = command->add_flag("--csv", options->csv, "Print a header line and one row at full precision");
    json->excludes(csv);
    csv->excludes(json);
    AddAnswerFileOption(*command);
    command->callback([options] { RunDesignCommand(*options); });
}

}  // namespace orbit::cli
