#include "propagation/gravity_model.h"

#include "core/orbit_error.h"
#include "core/repbas.h"
#include "propagation/egm2008_data.h"

#include <cmath>

namespace orbit::propagation {

GravityModel DesignJ2Model()
{
    GravityModel model;
    model.name = "j2";
    model.gmKm3S2 = RepBas::Mu;
    model.equatorialRadiusKm = RepBas::Re;
    model.zonal = {RepBas::J2, 0, 0, 0, 0};
    model.earthRateRadS = RepBas::OmegaEarth;
    return model;
}

GravityModel Egm2008ZonalModel()
{
    GravityModel model;
    model.name = "zonal";
    model.gmKm3S2 = egm2008::kGmKm3S2;
    model.equatorialRadiusKm = egm2008::kEquatorialRadiusKm;
    model.earthRateRadS = kEarthRotationAngleRateRadS;
    // A fully normalised coefficient carries the factor 1/sqrt(2n + 1) of the
    // zonal Legendre function's norm; the potential's Jn = -C(n,0) unnormalised.
    for (int n = 2; n <= 6; ++n) {
        const auto index = static_cast<std::size_t>(n - 2);
        model.zonal[index] = -egm2008::kNormalisedZonal[index] * std::sqrt(2.0 * n + 1.0);
    }
    return model;
}

GravityModel GravityModelNamed(const std::string& name)
{
    if (name == "j2") return DesignJ2Model();
    if (name == "zonal") return Egm2008ZonalModel();
    throw OrbitError(ErrorKind::Usage, "unknown model '" + name + "': give j2 or zonal");
}

}  // namespace orbit::propagation
