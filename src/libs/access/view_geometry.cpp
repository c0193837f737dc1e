#include "access/view_geometry.h"

#include <algorithm>
#include <cmath>

namespace orbit::access {

double OffNadirRad(double centralAngleRad, double orbitRadiusKm, double pointRadiusKm)
{
    return std::atan2(pointRadiusKm * std::sin(centralAngleRad),
                      orbitRadiusKm - pointRadiusKm * std::cos(centralAngleRad));
}

double ElevationRad(double centralAngleRad, double orbitRadiusKm, double pointRadiusKm)
{
    return std::atan2(orbitRadiusKm * std::cos(centralAngleRad) - pointRadiusKm,
                      orbitRadiusKm * std::sin(centralAngleRad));
}

double CentralAngleAtElevation(double elevationRad, double orbitRadiusKm, double pointRadiusKm)
{
    const double ratio = std::clamp(pointRadiusKm * std::cos(elevationRad) / orbitRadiusKm, -1.0, 1.0);
    return std::max(0.0, std::acos(ratio) - elevationRad);
}

double CentralAngleAtOffNadir(double offNadirRad, double orbitRadiusKm, double pointRadiusKm)
{
    const double sine = orbitRadiusKm * std::sin(offNadirRad) / pointRadiusKm;
    if (sine >= 1)
        return std::acos(std::clamp(pointRadiusKm / orbitRadiusKm, -1.0, 1.0));
    return std::max(0.0, std::asin(sine) - offNadirRad);
}

}  // namespace orbit::access
