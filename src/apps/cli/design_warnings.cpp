#include "cli/design_warnings.h"

namespace orbit::cli {

std::vector<std::string> DesignWarnings(OrbitType type, std::optional<double> semiMajorAxisKm,
                                        std::optional<double> meanAltitudeKm)
{
    std::vector<std::string> warnings;
    if (meanAltitudeKm && *meanAltitudeKm < 0)
        warnings.emplace_back(kBelowSurfaceWarning);
    if (type == OrbitType::SunSynchronous && semiMajorAxisKm && NoSunSynchronousOrbitAt(*semiMajorAxisKm))
        warnings.emplace_back(kNoSunSynchronousWarning);
    return warnings;
}

}  // namespace orbit::cli
