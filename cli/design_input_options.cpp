#include "cli/design_input_options.h"

namespace orbit::cli {

DesignRequest DesignInputOptions::Request() const
{
    DesignRequest request;
    request.nText = nText;
    request.mText = mText;
    request.qText = qText;
    request.type = orbitType.Type();
    request.inclDegreesText = orbitType.inclDegreesText;
    request.inclTenthsText = orbitType.inclTenthsText;
    return request;
}

void AddDesignInputOptions(CLI::App& command, DesignInputOptions& options)
{
    // The values stay text here: they are read with the window's own number
    // rule when the solver needs them, so a bad one fails as it would there.
    command.add_option("--n", options.nText, "Whole number of revolutions per day")->type_name("N")->required();
    command.add_option("--m", options.mText, "Extra revolutions until the track matches day 1's (may be negative)")
        ->type_name("M")
        ->required();
    command.add_option("--q", options.qText, "Days until the ground track repeats")->type_name("Q")->required();
    AddOrbitTypeOptions(command, options.orbitType);
}

}  // namespace orbit::cli
