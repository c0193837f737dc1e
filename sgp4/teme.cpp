#include "sgp4/teme.h"

#include <cmath>
#include <numbers>

namespace orbit::sgp4 {

ephemeris::Matrix3 Eme2000ToTeme(const ephemeris::Instant& t)
{
    const ephemeris::EarthOrientation earth = ephemeris::EarthOrientationAt(t);
    // The equation of the equinoxes: how far the true equinox lies ahead of
    // the mean one along the true equator.
    const double eqeq = std::remainder(earth.gastRad - earth.gmstRad, 2.0 * std::numbers::pi);
    const double c = std::cos(eqeq), s = std::sin(eqeq);
    const ephemeris::Matrix3& tod = earth.eme2000ToTrueOfDate;
    ephemeris::Matrix3 m{};
    for (std::size_t j = 0; j < 3; ++j) {
        m[0][j] = c * tod[0][j] + s * tod[1][j];
        m[1][j] = -s * tod[0][j] + c * tod[1][j];
        m[2][j] = tod[2][j];
    }
    return m;
}

ephemeris::Vector3 TemeToEme2000(const ephemeris::Instant& t, const ephemeris::Vector3& teme)
{
    return ephemeris::MultiplyTransposed(Eme2000ToTeme(t), teme);
}

ephemeris::Vector3 Eme2000ToTemeVector(const ephemeris::Instant& t, const ephemeris::Vector3& eme2000)
{
    return ephemeris::Multiply(Eme2000ToTeme(t), eme2000);
}

}  // namespace orbit::sgp4
