#include "design_command.h"

#include "command_line.h"
#include "design_output.h"
#include "design_run.h"
#include "orbit_type_options.h"

#include <iostream>
#include <memory>

namespace orbit::cli {

namespace {

struct DesignOptions {
    std::string nText, mText, qText;
    OrbitTypeOptions orbitType;
    bool json = false;
};

void RunDesignCommand(const DesignOptions& options)
{
    DesignRequest request;
    request.nText = options.nText;
    request.mText = options.mText;
    request.qText = options.qText;
    request.type = options.orbitType.Type();
    request.inclDegreesText = options.orbitType.inclDegreesText;
    request.inclTenthsText = options.orbitType.inclTenthsText;

    const DesignRun run = RunDesign(request);
    if (options.json) {
        std::cout << DesignJson(run).dump(2) << '\n';
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
    // The values stay text here: they are read with the window's own number
    // rule when the solver needs them, so a bad one fails as it would there.
    command->add_option("--n", options->nText, "Whole number of revolutions per day")->type_name("N")->required();
    command->add_option("--m", options->mText, "Extra revolutions until the track matches day 1's (may be negative)")
        ->type_name("M")
        ->required();
    command->add_option("--q", options->qText, "Days until the ground track repeats")->type_name("Q")->required();
    AddOrbitTypeOptions(*command, options->orbitType);
    command->add_flag("--json", options->json, "Print one JSON object: fields, values, coverage, warnings");
    command->callback([options] { RunDesignCommand(*options); });
}

}  // namespace orbit::cli
