#pragma once
// The inertial frame an orbit is followed in: the true equator and equinox of
// its epoch, held fixed from then on. Its z axis is the Earth's pole of the
// epoch (the Celestial Intermediate Pole), so an axially symmetric field
// about that axis is the real Earth's field at the epoch, and the orbit's
// inclination and node against that equator are the ones the design and the
// Sun's figures use.
//
// Holding the frame at the epoch leaves out the pole's motion after it:
// precession moves it 20 arcsec a year (0.4 arcsec a week) and nutation by
// at most about 0.05 arcsec a day, so over a cycle of days to weeks the field
// about the held pole differs from the real one by an arcsecond or two. The
// orbit's plane keeps its place in space either way; what changes is the
// slow turn of the node about a pole a little off the real one. Files the
// orbit leaves in take their states to EME2000 (or to the epoch's TEME)
// through the epoch's own matrices, so another program starts from exactly
// the orbit designed.

#include "ephemeris/earth_orientation.h"
#include "ephemeris/instant.h"

namespace orbit::ephemeris {

class TrueOfEpochFrame {
public:
    explicit TrueOfEpochFrame(const Instant& epoch);

    Vector3 FromEme2000(const Vector3& eme2000) const { return Multiply(eme2000ToFrame_, eme2000); }
    Vector3 ToEme2000(const Vector3& ofEpoch) const { return MultiplyTransposed(eme2000ToFrame_, ofEpoch); }
    // The epoch's true equator and mean equinox (TEME): the frame turned
    // about its pole by the equation of the equinoxes.
    Vector3 ToTeme(const Vector3& ofEpoch) const;

    const Matrix3& Eme2000ToFrame() const { return eme2000ToFrame_; }
    double EquationOfEquinoxesRad() const { return equationOfEquinoxesRad_; }

private:
    Matrix3 eme2000ToFrame_{};
    double equationOfEquinoxesRad_ = 0;
};

// The frame's name as the files and the command line's JSON give it.
inline constexpr const char* kTrueOfEpochFrameName = "true equator and equinox of the epoch";

}  // namespace orbit::ephemeris
