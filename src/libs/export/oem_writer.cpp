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

void WriteOem(const OemStream& message, const StateSource& states, const TextSink& write)
{
    if (message.interpolationDegree < 1)
        throw OrbitError(ErrorKind::InvalidArgument, "An ephemeris needs more states than its interpolation degree");
    std::string out;
    KvnHeader(out, "CCSDS_OEM_VERS", message.header);

    out += "META_START\n";
    KvnObject(out, message.header);
    KvnLine(out, "REF_FRAME", "EME2000");
    KvnLine(out, "TIME_SYSTEM", "UTC");
    KvnLine(out, "START_TIME", CcsdsTime(message.utc(message.startS, kTimeDecimals)));
    KvnLine(out, "STOP_TIME", CcsdsTime(message.utc(message.stopS, kTimeDecimals)));
    KvnLine(out, "INTERPOLATION", "LAGRANGE");
    KvnLine(out, "INTERPOLATION_DEGREE", std::to_string(message.interpolationDegree));
    out += "META_STOP\n\n";
    KvnComments(out, message.dataComments);
    write(out);

    // One record line is under 160 characters; each is handed on as it is made.
    std::size_t count = 0;
    double lastS = 0;
    states([&](const CartesianState& s) {
        if (count == 0 ? s.secondsAfterEpoch != message.startS : !(s.secondsAfterEpoch > lastS))
            throw OrbitError(ErrorKind::InvalidArgument, count == 0
                                                             ? "The ephemeris's first state is not at its start"
                                                             : "The ephemeris's states are not in increasing time");
        out.clear();
        out += CcsdsTime(message.utc(s.secondsAfterEpoch, kTimeDecimals));
        AppendFixed(out, s.positionKm, kPositionDecimals);
        AppendFixed(out, s.velocityKmS, kVelocityDecimals);
        out += '\n';
        write(out);
        lastS = s.secondsAfterEpoch;
        ++count;
    });
    if (count == 0)
        throw OrbitError(ErrorKind::InvalidArgument, "An ephemeris needs at least one state");
    if (static_cast<std::size_t>(message.interpolationDegree) >= count)
        throw OrbitError(ErrorKind::InvalidArgument, "An ephemeris needs more states than its interpolation degree");
    if (lastS != message.stopS)
        throw OrbitError(ErrorKind::InvalidArgument, "The ephemeris's last state is not at its stop");
}

std::string WriteOem(const OemContent& content)
{
    if (content.states.empty())
        throw OrbitError(ErrorKind::InvalidArgument, "An ephemeris needs at least one state");
    OemStream message{content.header, content.states.front().secondsAfterEpoch,
                      content.states.back().secondsAfterEpoch, content.utc, content.interpolationDegree,
                      content.dataComments};
    std::string out;
    out.reserve(1024 + 160 * content.states.size());
    WriteOem(
        message,
        [&](const std::function<void(const CartesianState&)>& each) {
            for (const CartesianState& s : content.states)
                each(s);
        },
        [&](std::string_view text) { out.append(text); });
    return out;
}

}  // namespace orbit::exports
