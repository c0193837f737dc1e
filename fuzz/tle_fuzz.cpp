// Two-line element sets from any bytes: the reader may only give elements or
// refuse with the line and column of the fault; whatever it reads, SGP4
// either propagates or refuses in its own words, and the writer gives back
// lines that read as the same elements.

#include "core/orbit_error.h"
#include "fuzz/fuzz_check.h"
#include "sgp4/sgp4_propagator.h"
#include "sgp4/tle.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using orbit::ErrorKind;
using orbit::OrbitError;
using namespace orbit::sgp4;

bool SameElements(const TleElements& a, const TleElements& b)
{
    return a.catalogNumber == b.catalogNumber && a.classification == b.classification &&
           a.internationalDesignator == b.internationalDesignator && a.epochYear == b.epochYear &&
           a.epochDayOfYear == b.epochDayOfYear && a.meanMotionDotRevDay2 == b.meanMotionDotRevDay2 &&
           a.meanMotionDdotRevDay3 == b.meanMotionDdotRevDay3 && a.bstarPerEarthRadius == b.bstarPerEarthRadius &&
           a.ephemerisType == b.ephemerisType && a.elementSetNumber == b.elementSetNumber &&
           a.inclinationDeg == b.inclinationDeg && a.raanDeg == b.raanDeg && a.eccentricity == b.eccentricity &&
           a.argumentOfPerigeeDeg == b.argumentOfPerigeeDeg && a.meanAnomalyDeg == b.meanAnomalyDeg &&
           a.meanMotionRevDay == b.meanMotionRevDay && a.revolutionNumber == b.revolutionNumber;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The two lines: the bytes up to the first newline, and the rest.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = text.find('\n');
    const std::string line1 = text.substr(0, newline);
    const std::string line2 = newline == std::string::npos ? std::string() : text.substr(newline + 1);

    TleElements tle;
    try {
        tle = ParseTle(line1, line2);
    } catch (const OrbitError& e) {
        fuzz::Check(e.Kind() == ErrorKind::InvalidArgument, "reader error kind", e.what());
        fuzz::Check(std::string(e.what()).rfind("TLE line ", 0) == 0, "reader error names the line", e.what());
        return 0;
    }

    // What was read is written again, and reads back the same (a rounding
    // into the next year aside, which the reader cannot produce).
    const TleLines lines = FormatTle(tle);
    fuzz::Check(lines.line1.size() == 69 && lines.line2.size() == 69, "written line length");
    fuzz::Check(SameElements(ParseTle(lines.line1, lines.line2), tle), "written lines read back", lines.line1 + "\n" + lines.line2);

    try {
        const Sgp4Propagator sgp4(ToMeanElements(tle));
        for (double t : {0.0, 720.0, -1440.0}) {
            const TemeState s = sgp4.At(t);
            for (double x : s.positionKm) fuzz::Check(std::isfinite(x), "finite position");
        }
    } catch (const OrbitError& e) {
        fuzz::Check(e.Kind() == ErrorKind::InvalidArgument, "SGP4 error kind", e.what());
        fuzz::Check(std::string(e.what()).rfind("SGP4: ", 0) == 0, "SGP4 error text", e.what());
    }
    return 0;
}
