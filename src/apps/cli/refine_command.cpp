#include "cli/refine_command.h"

#include "cli/answer_file.h"
#include "cli/command_line.h"
#include "cli/csv_row.h"
#include "cli/design_input_options.h"
#include "cli/epoch_node_options.h"
#include "cli/option_checks.h"
#include "cli/refine_output.h"
#include "cli/refine_run.h"
#include "core/orbit_error.h"

#include <iostream>
#include <memory>
#include <sstream>

namespace orbit::cli {
namespace {

struct RefineOptions {
    DesignInputOptions inputs;
    EpochNodeOptions epochNode;
    std::string modelText = "zonal";
    std::string toleranceText = "10";
    bool frozen = false;
    bool json = false;
    bool csv = false;
};

void RunRefineCommand(const RefineOptions& options)
{
    // Every option is read before any work starts, so a mistake is a usage
    // error naming its option.
    const DesignRequest design = options.inputs.Request();
    const EpochNode epochNode = RequireEpochNode(options.epochNode);
    const double tolerance = ArgumentNumber("--tolerance", options.toleranceText);
    if (!(tolerance >= 0.01))
        throw UsageError("--tolerance: '" + options.toleranceText + "' is under the smallest tolerance, 0.01 m");

    const RefineRun run =
        RunRefine({design, epochNode, propagation::GravityModelNamed(options.modelText), options.frozen, tolerance});
    const std::string epochText = epochNode.epoch.IsoUtc(3);
    if (options.json) {
        std::cout << RefineJson(run, epochText, NodeJson(run.node)).dump(2) << '\n';
    } else if (options.csv) {
        WriteCsvRecord(FlattenedCells(RefineJson(run, epochText, NodeJson(run.node))), std::cout);
    } else {
        std::ostringstream nodeText;
        WriteNodeText(run.node, nodeText);
        WriteRefineText(run, epochText, nodeText.str(), std::cout);
    }
    std::cout.flush();
}

}  // namespace

void AddRefineCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "refine", "Propagate a design under a fuller Earth, measure how far its track misses, refine it until it "
                  "closes, and give its frozen eccentricity");
    auto options = std::make_shared<RefineOptions>();
    AddDesignInputOptions(*command, options->inputs);
    AddEpochNodeOptions(*command, options->epochNode);
    command->add_option("--model", options->modelText,
                        "Earth of the propagation: zonal (EGM2008, J2 to J6; default) or j2 (the design's own)")
        ->type_name("MODEL")
        ->check(GravityModelName());
    command->add_flag("--frozen", options->frozen,
                      "Start from the frozen eccentricity of the whole zonal field, perigee at 90 deg");
    command->add_option("--tolerance", options->toleranceText,
                        "Closure the refinement must reach, m (at least 0.01; default 10)")
        ->type_name("METRES");
    CLI::Option* json = command->add_flag("--json", options->json, "Write one JSON object at full precision");
    command
        ->add_flag("--csv", options->csv,
                   "Print a header line and one row at full precision, keyed by the JSON's paths (refined.mean.a_km)")
        ->excludes(json);
    AddAnswerFileOption(*command);
    command->callback([options] { RunRefineCommand(*options); });
}

}  // namespace orbit::cli
