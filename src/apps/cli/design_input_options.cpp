#include "cli/design_input_options.h"

#include "cli/command_line.h"
#include "core/number_text.h"
#include "core/orbit_error.h"

#include <cstdio>
#include <optional>

namespace orbit::cli {

namespace {

// The value of a text that reads as a number by the fields' rule, none for
// one that does not: that one fails where the solver reads it, with the
// window's own error.
std::optional<double> NumberIn(const std::string& text)
{
    try {
        return ParseNumberStrict(text);
    } catch (const OrbitError&) {
        return std::nullopt;
    }
}

// The window lets any number through and answers with what the formulas
// make of it; a script is better told at once that no orbit repeats so.
void RefuseNoOrbit(const DesignInputOptions& options)
{
    const std::optional<double> n = NumberIn(options.nText), m = NumberIn(options.mText),
                                q = NumberIn(options.qText);
    if (q && !(*q >= 1))
        throw UsageError("--q: '" + options.qText + "' is not a number of days of 1 or more");
    if (n && m && q && !(*n * *q + *m >= 1)) {
        char revolutions[32];
        std::snprintf(revolutions, sizeof revolutions, "%g", *n * *q + *m);
        throw UsageError("--m: '" + options.mText + "' makes N Q + M " + revolutions +
                         ", below 1: the track must close after at least one revolution");
    }
}

}  // namespace

DesignRequest DesignInputOptions::Request() const
{
    RefuseNoOrbit(*this);
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
