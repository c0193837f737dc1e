#include "export/ccsds_messages.h"
#include "propagation/orbital_elements.h"
#include "export/kvn_lines.h"
#include "export/text_lines.h"

#include <numbers>

namespace orbit::exports {

namespace {
// A millionth of a millimetre and of a millimetre per second: more than any
// propagator needs, so the state is handed on as it was computed.
constexpr int kPositionDecimals = 9, kVelocityDecimals = 12;
constexpr int kAngleDecimals = 10, kEccentricityDecimals = 12;

// An element's angle in degrees, [0, 360) as the elements hold it in radians.
double Degrees(double rad)
{
    const double deg = rad * (180 / std::numbers::pi);
    return deg >= 360 ? deg - 360 : deg;
}
}  // namespace

std::string CcsdsTime(const std::string& isoUtc)
{
    std::string text = isoUtc;
    if (!text.empty() && text.back() == 'Z')
        text.pop_back();
    return text;
}

std::string WriteOpm(const OpmContent& content)
{
    const propagation::ClassicalElements el = propagation::ToClassical(
        propagation::CartesianState{content.state.positionKm, content.state.velocityKmS}, content.gmKm3S2);
    std::string out;
    KvnHeader(out, "CCSDS_OPM_VERS", content.header);

    KvnObject(out, content.header);
    KvnLine(out, "REF_FRAME", "EME2000");
    KvnLine(out, "TIME_SYSTEM", "UTC");
    out += '\n';

    KvnComments(out, content.stateComments);
    KvnLine(out, "EPOCH", CcsdsTime(PlainText(content.epochUtc, "epoch")));
    static constexpr const char* kPosition[] = {"X", "Y", "Z"};
    static constexpr const char* kVelocity[] = {"X_DOT", "Y_DOT", "Z_DOT"};
    for (std::size_t k = 0; k < 3; ++k)
        KvnLine(out, kPosition[k], Fixed(content.state.positionKm[k], kPositionDecimals, "position"), "km");
    for (std::size_t k = 0; k < 3; ++k)
        KvnLine(out, kVelocity[k], Fixed(content.state.velocityKmS[k], kVelocityDecimals, "velocity"), "km/s");
    out += '\n';

    KvnComments(out, {"Osculating elements of the state above, as a conic under GM"});
    KvnLine(out, "SEMI_MAJOR_AXIS", Fixed(el.semiMajorAxisKm, kPositionDecimals, "semi-major axis"), "km");
    KvnLine(out, "ECCENTRICITY", Fixed(el.eccentricity, kEccentricityDecimals, "eccentricity"));
    KvnLine(out, "INCLINATION", Fixed(Degrees(el.inclinationRad), kAngleDecimals, "inclination"), "deg");
    KvnLine(out, "RA_OF_ASC_NODE", FixedDegrees(Degrees(el.raanRad), kAngleDecimals, "node"), "deg");
    KvnLine(out, "ARG_OF_PERICENTER", FixedDegrees(Degrees(el.argumentOfPerigeeRad), kAngleDecimals, "argument of pericentre"), "deg");
    KvnLine(out, "TRUE_ANOMALY", FixedDegrees(Degrees(el.trueAnomalyRad), kAngleDecimals, "true anomaly"), "deg");
    KvnLine(out, "GM", Fixed(content.gmKm3S2, 6, "GM"), "km**3/s**2");
    return out;
}

}  // namespace orbit::exports
