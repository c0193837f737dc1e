#include "design_warnings.h"

#include "repbas.h"

#include <cmath>

namespace orbit::cli {

using namespace RepBas;

bool NoSunSynchronousOrbitAt(double semiMajorAxisKm)
{
    // The cosine the solver forms from the sun-synchronous node rate, in the
    // solver's own operation order, so that the warning fires exactly when the
    // inclination is clamped.
    const double k = std::sqrt(Mu) * 3 * J2 * Re * Re / 2;
    const double cosIncl = std::pow(semiMajorAxisKm, 3.5) * (-OmegaSun) / k;
    return cosIncl < -1;
}

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
