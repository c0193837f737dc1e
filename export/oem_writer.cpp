#include "export/ccsds_messages.h"
#include "export/kvn_lines.h"
#include "export/text_lines.h"

#include "core/orbit_error.h"

#include <cmath>
#include <charconv>

namespace orbit::exports {

namespace {

// A millimetre and a micrometre per second: far below what interpolation
// between records can recover, and it keeps a cycle's file small.
constexpr int kPositionDecimals = 6, kVelocityDecimals = 9;
// Microseconds: at 7.5 km/s a rounded record time moves the orbit 7.5 mm.
constexpr int kTimeDecimals = 6;

void CheckStates(const OemContent& content)
{
    if (content.states.empty())
        throw OrbitError(ErrorKind::InvalidArgument, "An ephemeris needs at least one state");
    if (content.interpolationDegree < 1 || static_cast<std::size_t>(content.interpolationDegree) >= content.states.size())
        throw OrbitError(ErrorKind::InvalidArgument, "An ephemeris needs more states than its interpolation degree");
    for (std::size_t k = 1; k < content.states.size(); ++k)
        if (!(content.states[k].secondsAfterEpoch > content.states[k - 1].secondsAfterEpoch))
            throw OrbitError(ErrorKind::InvalidArgument, "The ephemeris's states are not in increasing time");
}

// Each value after a blank, with `decimals` digits: std::to_chars, as a
// cycle's ephemeris holds some hundred thousand numbers.
void AppendFixed(std::string& out, const Vector3& values, int decimals)
{
    char buffer[64];
    for (const double v : values) {
        if (!std::isfinite(v))
            throw OrbitError(ErrorKind::InvalidArgument, "A state of the ephemeris is not a finite number");
        buffer[0] = ' ';
        const auto [end, error] = std::to_chars(buffer + 1, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
        if (error != std::errc())
            throw OrbitError(ErrorKind::InvalidArgument, "A state of the ephemeris is out of range");
        out.append(buffer, static_cast<std::size_t>(end - buffer));
    }
}

}  // namespace

std::string WriteOem(const OemContent& content)
{
    CheckStates(content);
    const double startS = content.states.front().secondsAfterEpoch;
    const double stopS = content.states.back().secondsAfterEpoch;
    std::string out;
    // One record line is under 160 characters.
    out.reserve(1024 + 160 * content.states.size());
    KvnHeader(out, "CCSDS_OEM_VERS", content.header);

    out += "META_START\n";
    KvnObject(out, content.header);
    KvnLine(out, "REF_FRAME", "EME2000");
    KvnLine(out, "TIME_SYSTEM", "UTC");
    KvnLine(out, "START_TIME", CcsdsTime(content.utc(startS, kTimeDecimals)));
    KvnLine(out, "STOP_TIME", CcsdsTime(content.utc(stopS, kTimeDecimals)));
    KvnLine(out, "INTERPOLATION", "LAGRANGE");
    KvnLine(out, "INTERPOLATION_DEGREE", std::to_string(content.interpolationDegree));
    out += "META_STOP\n\n";

    KvnComments(out, content.dataComments);
    for (const CartesianState& s : content.states) {
        out += CcsdsTime(content.utc(s.secondsAfterEpoch, kTimeDecimals));
        AppendFixed(out, s.positionKm, kPositionDecimals);
        AppendFixed(out, s.velocityKmS, kVelocityDecimals);
        out += '\n';
    }
    return out;
}

}  // namespace orbit::exports
