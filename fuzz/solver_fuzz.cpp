// The repeat-orbit solver on fuzzed inputs of both orbit types. The first
// byte chooses the type and how the rest is read: as raw doubles (any bit
// pattern: infinities, not-a-numbers, subnormals) or as the small whole
// numbers and tenths a user types. A solve either completes with finite
// results that fit together, or stops with one of the documented errors.

#include "core/orbit_error.h"
#include "core/repbas.h"
#include "core/repeat_orbit_solver.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

using orbit::ErrorKind;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool sunSync = (data[0] & 1) != 0;
    const bool raw = (data[0] & 2) != 0;
    fuzz::Input in(data + 1, size - 1);
    const auto next = [&] { return raw ? in.Raw() : in.Small(); };
    const double n = next(), m = next(), q = next();
    const double degrees = raw ? in.Raw() : std::fabs(in.Small()) + std::fabs(in.Small());  // 0 to 256
    const double tenths = raw ? in.Raw() : std::fmod(std::fabs(in.Small()), 10);

    const orbit::OrbitType type = sunSync ? orbit::OrbitType::SunSynchronous : orbit::OrbitType::ChooseInclination;
    orbit::DesignRecord record;
    orbit::RepeatOrbitSolution s;
    try {
        s = orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(n, m, q, type, degrees, tenths), {}, record);
    } catch (const orbit::OrbitError& e) {
        fuzz::CheckError(e, {ErrorKind::Overflow, ErrorKind::DivisionByZero, ErrorKind::NoConvergence},
                         orbit::RepBas::NoConvergenceText());
        return 0;
    }

    fuzz::Check(record.N == n && record.M == m && record.Q == q, "inputs recorded");
    fuzz::Check(s.RevCount == std::nearbyint(q * n + m), "revolution count");
    for (const double value : {s.SemiMajorAxis, s.MeanAltitude, s.MeanMotion, s.NodalPeriodMin, record.Incl,
                               record.NodalPeriod, record.NodeRate, record.NodeSpacing, record.NodeSpacingDeg,
                               record.MeanMotion})
        fuzz::Check(std::isfinite(value), "finite result");
    fuzz::Check(s.SemiMajorAxis >= 0, "axis is a square");
    fuzz::Check(s.MeanAltitude == s.SemiMajorAxis - orbit::RepBas::Re, "altitude above the equatorial radius");
    fuzz::Check(s.MeanMotion == record.MeanMotion, "mean motion recorded");
    fuzz::Check(sunSync == s.InclDeg.has_value(), "inclination only when derived");
    if (s.InclDeg)
        fuzz::Check(*s.InclDeg >= 0 && *s.InclDeg <= 180, "derived inclination in range");
    return 0;
}
