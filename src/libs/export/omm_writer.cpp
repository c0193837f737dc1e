#include "export/ccsds_messages.h"
#include "export/kvn_lines.h"
#include "export/text_lines.h"

#include "core/orbit_error.h"
#include "sgp4/tle_fit.h"

#include <cstdio>

namespace orbit::exports {

namespace {

// The digits a TLE holds, and no more: the OMM says what the TLE says.
using sgp4::TleDecimals;
// The epoch to the microsecond, as exactly as the TLE's 1e-8 day holds it.
constexpr int kEpochSecondDecimals = 6;

// BSTAR and the mean motion's derivatives in the exponent form catalogues
// use for such small numbers.
std::string Scientific(double value, std::string_view what)
{
    Fixed(value, 0, what);  // refuses what is not finite
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.8E", value);
    return buffer;
}

}  // namespace

std::string WriteOmm(const OmmContent& content)
{
    const sgp4::TleElements& el = content.elements;
    // The plain integer is written, but only a number the TLE of the same
    // elements could carry (alpha-5 included).
    if (!sgp4::IsCatalogNumber(el.catalogNumber))
        throw OrbitError(ErrorKind::Usage, "The catalogue number must lie between " + sgp4::CatalogNumberRange());
    std::string out;
    KvnHeader(out, "CCSDS_OMM_VERS", content.header);

    KvnObject(out, content.header);
    KvnLine(out, "REF_FRAME", "TEME");
    KvnLine(out, "TIME_SYSTEM", "UTC");
    KvnLine(out, "MEAN_ELEMENT_THEORY", "SGP4");
    out += '\n';

    KvnComments(out, content.elementComments);
    KvnLine(out, "EPOCH", CcsdsTime(sgp4::TleEpochInstant(el).IsoUtc(kEpochSecondDecimals)));
    KvnLine(out, "MEAN_MOTION", Fixed(el.meanMotionRevDay, TleDecimals::kMeanMotion, "mean motion"), "rev/day");
    KvnLine(out, "ECCENTRICITY", Fixed(el.eccentricity, TleDecimals::kEccentricity, "eccentricity"));
    KvnLine(out, "INCLINATION", Fixed(el.inclinationDeg, TleDecimals::kAngle, "inclination"), "deg");
    KvnLine(out, "RA_OF_ASC_NODE", FixedDegrees(el.raanDeg, TleDecimals::kAngle, "node"), "deg");
    KvnLine(out, "ARG_OF_PERICENTER", FixedDegrees(el.argumentOfPerigeeDeg, TleDecimals::kAngle, "argument of pericentre"), "deg");
    KvnLine(out, "MEAN_ANOMALY", FixedDegrees(el.meanAnomalyDeg, TleDecimals::kAngle, "mean anomaly"), "deg");
    out += '\n';

    KvnLine(out, "EPHEMERIS_TYPE", "0");
    KvnLine(out, "CLASSIFICATION_TYPE", std::string(1, el.classification));
    KvnLine(out, "NORAD_CAT_ID", std::to_string(el.catalogNumber));
    KvnLine(out, "ELEMENT_SET_NO", std::to_string(el.elementSetNumber));
    KvnLine(out, "REV_AT_EPOCH", std::to_string(el.revolutionNumber));
    KvnLine(out, "BSTAR", Scientific(el.bstarPerEarthRadius, "BSTAR"), "1/ER");
    KvnLine(out, "MEAN_MOTION_DOT", Scientific(el.meanMotionDotRevDay2, "mean motion rate"), "rev/day**2");
    KvnLine(out, "MEAN_MOTION_DDOT", Scientific(el.meanMotionDdotRevDay3, "mean motion acceleration"), "rev/day**3");
    return out;
}

}  // namespace orbit::exports
