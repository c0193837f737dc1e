#include "cli/orbit_type_options.h"

namespace orbit::cli {

OrbitType OrbitTypeOptions::Type() const
{
    if (sunSync)
        return OrbitType::SunSynchronous;
    if (inclOption && inclOption->count() > 0)
        return OrbitType::ChooseInclination;
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
