// The swath coverage of fuzzed designs and swaths. The first bytes choose a
// design of small whole numbers (both orbit types), the next a swath, the
// satellites, the kind of passes and a parallel; the figures must make sense
// wherever they are defined, and every refusal must be one of the documented
// errors. The design's size is bounded so that each input runs in
// milliseconds: the layout is exercised, not the machine's patience.

#include "analysis/swath_coverage.h"
#include "core/orbit_error.h"
#include "core/repbas.h"
#include "core/repeat_orbit_solver.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using orbit::ErrorKind;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const std::uint8_t flags = in.Byte();
    const bool sunSync = (flags & 1) != 0;
    const bool rawSwath = (flags & 2) != 0;
    const double n = in.Byte() % 17;                       // 0 to 16 revolutions a day
    const double m = static_cast<std::int8_t>(in.Byte()) % 40;  // -39 to 39
    const double q = in.Byte() % 41;                       // 0 to 40 days
    const double inclDeg = in.Byte() % 181;
    const double swathKm = rawSwath ? in.Raw() : 10.0 * in.Byte();
    const int satellites = static_cast<std::int8_t>(in.Byte()) % 8;  // -7 to 7
    const auto passes = static_cast<orbit::analysis::PassDirection>(in.Byte() % 3);
    const int high = in.Byte(), low = in.Byte();
    const double latitudeDeg = static_cast<std::int16_t>(high << 8 | low) / 256.0;  // about -128 to 128

    orbit::DesignRecord design;
    try {
        const auto type = sunSync ? orbit::OrbitType::SunSynchronous : orbit::OrbitType::ChooseInclination;
        orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(n, m, q, type, inclDeg, 0), {}, design);
    } catch (const orbit::OrbitError&) {
        return 0;  // the solver's own fuzz target looks after its failures
    }

    try {
        const orbit::analysis::SwathCoverage coverage(design, swathKm, satellites, passes);
        const double sidelap = orbit::analysis::EquatorialSidelapPercent(design, swathKm, satellites);
        fuzz::Check(std::isfinite(sidelap) && sidelap <= 100, "sidelap", std::to_string(sidelap));

        const orbit::analysis::LatitudeCoverage row = coverage.AtLatitude(std::fmax(-90, std::fmin(90, latitudeDeg)));
        const double cycleDays = coverage.Cycle().LengthDays();
        fuzz::Check(row.passes >= 0, "passes");
        fuzz::Check(row.coveredFraction >= 0 && row.coveredFraction <= 1, "covered fraction",
                    std::to_string(row.coveredFraction));
        fuzz::Check(row.maxRevisitDays.has_value() == (row.coveredFraction > 0), "revisit exactly where seen");
        fuzz::Check(row.maxRevisitDays.has_value() == row.meanRevisitDays.has_value(), "both revisit figures");
        if (row.maxRevisitDays) {
            // A place seen at least once a cycle never waits longer than the cycle.
            fuzz::Check(*row.maxRevisitDays > 0 && *row.maxRevisitDays <= cycleDays * (1 + 1e-9), "longest wait",
                        std::to_string(*row.maxRevisitDays) + " of " + std::to_string(cycleDays));
            fuzz::Check(*row.meanRevisitDays > 0 && *row.meanRevisitDays <= *row.maxRevisitDays * (1 + 1e-9),
                        "mean wait within the longest");
            fuzz::Check(row.passes > 0, "seen by some pass");
        }
    } catch (const orbit::OrbitError& e) {
        // A bad swath or satellite count, or a design whose cycle cannot be
        // laid out (not whole, no revolution, a track standing still).
        fuzz::Check(e.Kind() == ErrorKind::Usage || e.Kind() == ErrorKind::InvalidArgument, "error kind", e.what());
    }
    return 0;
}
