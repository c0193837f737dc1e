#include "cli/orbit_type_options.h"

#include "cli/command_line.h"
#include "core/number_text.h"
#include "core/orbit_error.h"

namespace orbit::cli {

namespace {

// An inclination is an angle from 0 to 180 degrees (the J2 terms see only
// its cosine, so -40 would quietly design the orbit of 40). Texts that do not
// read as numbers are left to the reader of each command, which words them.
void RefuseInclinationOutOfRange(const OrbitTypeOptions& options)
{
    double degrees = 0, tenths = 0;
    try {
        degrees = ParseNumberStrict(options.inclDegreesText);
        tenths = ParseNumberStrict(options.inclTenthsText);
    } catch (const OrbitError&) {
        return;
    }
    const double inclinationDeg = degrees + tenths / 10;
    if (!(inclinationDeg >= 0 && inclinationDeg <= 180)) {
        const std::string given = options.inclTenthsText == "0"
                                      ? "--incl: '" + options.inclDegreesText + "'"
                                      : "--incl and --tenths: '" + options.inclDegreesText + "' with '" +
                                            options.inclTenthsText + "' tenths";
        throw UsageError(given + " is not an inclination from 0 to 180 degrees");
    }
}

}  // namespace

OrbitType OrbitTypeOptions::Type() const
{
    if (sunSync)
        return OrbitType::SunSynchronous;
    if (inclOption && inclOption->count() > 0) {
        RefuseInclinationOutOfRange(*this);
        return OrbitType::ChooseInclination;
    }
    throw CLI::RequiredError("--sun-sync or --incl DEG");
}

void AddOrbitTypeOptions(CLI::App& command, OrbitTypeOptions& options)
{
    CLI::Option* sunSync =
        command.add_flag("--sun-sync", options.sunSync, "Sun-synchronous orbit: the inclination is derived");
    options.inclOption = command.add_option("--incl", options.inclDegreesText,
                                            "Chosen inclination, whole degrees (or any number of degrees)")
                             ->type_name("DEG");
    command.add_option("--tenths", options.inclTenthsText, "Tenths of a degree added to --incl (default 0)")
        ->type_name("T")
        ->needs(options.inclOption);
    sunSync->excludes(options.inclOption);
}

}  // namespace orbit::cli
