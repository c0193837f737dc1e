#include "ephemeris/epoch_frame.h"

#include <cmath>
#include <numbers>

namespace orbit::ephemeris {

TrueOfEpochFrame::TrueOfEpochFrame(const Instant& epoch)
{
    const EarthOrientation earth = EarthOrientationAt(epoch);
    eme2000ToFrame_ = earth.eme2000ToTrueOfDate;
    equationOfEquinoxesRad_ = std::remainder(earth.gastRad - earth.gmstRad, 2.0 * std::numbers::pi);
}

Vector3 TrueOfEpochFrame::ToTeme(const Vector3& ofEpoch) const
{
    // The mean equinox lies behind the true one by the equation of the
    // equinoxes along the true equator: the same vector, its x axis turned back.
    const double c = std::cos(equationOfEquinoxesRad_), s = std::sin(equationOfEquinoxesRad_);
    return {c * ofEpoch[0] + s * ofEpoch[1], -s * ofEpoch[0] + c * ofEpoch[1], ofEpoch[2]};
}

}  // namespace orbit::ephemeris
