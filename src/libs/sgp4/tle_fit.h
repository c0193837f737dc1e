#pragma once
// A two-line element set fitted to an ephemeris: the SGP4 mean elements whose
// SGP4 positions come nearest, in the least-squares sense, to the given
// positions sampled over the fit span. Writing an orbit's own mean elements
// into a TLE would be wrong: SGP4's mean motion is Kozai's, its frame TEME,
// and its mean elements are defined only through SGP4 itself.
//
// The fit holds B* at zero (the orbit is fitted, not its drag) and the epoch
// at the one given (to the TLE's resolution of 1e-8 day, the offset being
// allowed for in the fit). Its figures are those of the TLE as written, after
// every field's rounding.

#include "ephemeris/earth_orientation.h"
#include "ephemeris/instant.h"
#include "sgp4/elements.h"
#include "sgp4/tle.h"

#include <functional>
#include <string>

namespace orbit::sgp4 {

// The orbit to fit: its position (km) `secondsAfterEpoch` seconds after the
// epoch in the TEME of the epoch (the true equator and mean equinox at the
// epoch, held there), asked for over [0, spanSeconds] only. One frame for the
// whole span keeps the orbit's plane where it was given: a TEME taken anew at
// each sample would tilt it with the day's nutation.
using PositionFunction = std::function<ephemeris::Vector3(double secondsAfterEpoch)>;

struct TleFitOptions {
    int catalogNumber = 99999;            // 0 to kMaxCatalogNumber (alpha-5 above 99999)
    std::string objectName;               // when not empty, the set gets a first line "0 NAME"
    std::string internationalDesignator;  // up to 8 characters, may be empty
    char classification = 'U';
    int elementSetNumber = 999;
    int revolutionNumber = 0;             // at the epoch
    double spanSeconds = 86400.0;         // the fit span from the epoch
    double sampleStepSeconds = 60.0;      // positions every this many seconds, both ends included
    int iterationCap = 25;                // Gauss-Newton (Levenberg-Marquardt) steps at most
};

struct TleFit {
    std::string nameLine;   // "0 NAME", or empty without a name
    TleLines lines;         // the two 69-column lines
    TleElements elements;   // what the lines say, as read back from them (the OMM's TLE parameters)
    double rmsErrorKm = 0;      // root mean square of the position error over the samples
    double largestErrorKm = 0;  // largest position error at a sample
    double spanDays = 0;        // the fitted span
    int samples = 0;
    int iterations = 0;         // least-squares steps taken
    bool converged = false;     // the steps settled before the cap (the figures hold either way)
};

// Throws OrbitError: InvalidArgument when the options cannot make a TLE
// (a catalogue number out of range, a name with a control character, a span
// or step not above zero, more than 100000 samples) or when the positions are
// not an orbit (the state at the epoch not elliptic); NoConvergence when no
// finite fit is found. Errors from `position` pass through.
TleFit FitTle(const ephemeris::Instant& epoch, const PositionFunction& position, const TleFitOptions& options = {});

// The instant a TLE's epoch names (UTC day of year, 1.0 = 1 January 0h).
ephemeris::Instant TleEpochInstant(const TleElements& tle);

}  // namespace orbit::sgp4
