#pragma once
// What every export is written from: plain figures with their units, free of
// the propagator, the fit and the time library, so each writer can be built
// and checked on its own.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orbit::exports {

using Vector3 = std::array<double, 3>;

// A position and velocity in EME2000 (the mean equator and equinox of
// J2000), t seconds after the export's epoch.
struct CartesianState {
    double secondsAfterEpoch = 0;
    Vector3 positionKm{};
    Vector3 velocityKmS{};
};

// The UTC text of the instant t SI seconds after the epoch, as
// "YYYY-MM-DDThh:mm:ss.fffZ" with `decimals` digits of the second (0: no
// point), leap seconds counted and written as :60.
using UtcClock = std::function<std::string(double secondsAfterEpoch, int decimals)>;

// Takes each piece of a text as it is made, so a long one need not be held
// whole.
using TextSink = std::function<void(std::string_view text)>;

// Who made a message and what it is about.
struct MessageHeader {
    std::string creationDateUtc;  // "YYYY-MM-DDThh:mm:ssZ"
    std::string originator = "REPEAT-ORBIT";
    std::string objectName = "RepeatOrbit";
    std::string objectId = "UNKNOWN";
};

}  // namespace orbit::exports
