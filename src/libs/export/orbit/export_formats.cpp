#include "export/orbit/export_formats.h"

#include "export/ccsds_messages.h"
#include "export/gmat_script.h"
#include "export/map_formats.h"
#include "ephemeris/geodetic.h"
#include "map/day_tracks.h"
#include "propagation/propagator.h"
#include "sgp4/tle_fit.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <ctime>
#include <numbers>
#include <regex>
#include <unordered_map>

namespace orbit::exports {

namespace {

using propagation::Propagator;

// The TLE is fitted over the first day from the epoch, positions every 60 s.
constexpr double kFitSpanS = 86400, kFitStepS = 60;

UtcClock ClockOf(const ephemeris::Instant& epoch)
{
    return [epoch](double seconds, int decimals) { return epoch.PlusSeconds(seconds).IsoUtc(decimals); };
}

// SOURCE_DATE_EPOCH is the reproducible-builds convention for "now": a whole
// number of seconds since 1970. Anything else in it is ignored.
std::time_t CreationTime()
{
    if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH"); fixed && *fixed) {
        char* end = nullptr;
        errno = 0;
        const long long seconds = std::strtoll(fixed, &end, 10);
        if (errno == 0 && *end == '\0' && seconds >= 0)
            return static_cast<std::time_t>(seconds);
    }
    return std::time(nullptr);
}

std::string NowUtc()
{
    const std::time_t now = CreationTime();
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

MessageHeader HeaderOf(const ExportChoices& choices)
{
    MessageHeader header;
    header.creationDateUtc = NowUtc();
    header.objectName = choices.objectName.value_or("RepeatOrbit");
    header.objectId = choices.objectId;
    return header;
}

// A propagated state as the files hold it: in EME2000.
CartesianState ExportState(const ExportOrbit& orbit, double t, const propagation::CartesianState& s)
{
    const propagation::CartesianState eme2000 = InEme2000(orbit.frame, s);
    return {t, eme2000.positionKm, eme2000.velocityKmS};
}

std::string OpmText(const ExportOrbit& orbit, const ExportChoices& choices)
{
    OpmContent c;
    c.header = HeaderOf(choices);
    c.state = ExportState(orbit, 0, orbit.state);
    c.epochUtc = orbit.epoch.IsoUtc(6);
    c.gmKm3S2 = orbit.model.gmKm3S2;
    c.stateComments = OrbitDescription(orbit);
    return WriteOpm(c);
}

// The OEM as the orbit is propagated: each state goes out as its line once
// it is made, so memory stays flat over any span.
void WriteOemStream(const ExportOrbit& orbit, const ExportChoices& choices, const TextSink& write)
{
    const Propagator propagator(orbit.model, orbit.state);
    const std::size_t samples = propagation::SampleCount(0, choices.spanS, choices.stepS);
    const double lastSampleS = static_cast<double>(samples - 1) * choices.stepS;
    // The span's end is always a record, so the ephemeris reaches STOP_TIME.
    const bool endAdded = lastSampleS < choices.spanS - 1e-6;
    OemStream m;
    m.header = HeaderOf(choices);
    m.utc = ClockOf(orbit.epoch);
    m.startS = 0;
    m.stopS = endAdded ? choices.spanS : lastSampleS;
    m.interpolationDegree = std::min(7, static_cast<int>(samples + (endAdded ? 1 : 0)) - 1);
    m.dataComments = OrbitDescription(orbit);
    char step[96];
    std::snprintf(step, sizeof step, "States every %g s from the epoch, the span's end included", choices.stepS);
    m.dataComments.push_back(step);
    WriteOem(
        m,
        [&](const std::function<void(const CartesianState&)>& each) {
            propagator.Sample(0, choices.spanS, choices.stepS, true, [&](const propagation::TimedState& s) {
                each(ExportState(orbit, s.secondsAfterEpoch, s.state));
            });
        },
        write);
}

sgp4::TleFit FitTle(const ExportOrbit& orbit, const ExportChoices& choices)
{
    const Propagator propagator(orbit.model, orbit.state);
    // The fit asks for positions on its sampling grid: they are propagated in
    // one pass beforehand, and any other time on its own. The TLE's TEME is
    // the epoch's, the propagator's frame turned by the equation of the
    // equinoxes, so SGP4's pole is the one the orbit was followed about.
    std::unordered_map<long long, ephemeris::Vector3> onGrid;
    for (const propagation::TimedState& s : propagator.Sample(0, kFitSpanS, kFitStepS))
        onGrid.emplace(std::llround(s.secondsAfterEpoch * 1000), orbit.frame.ToTeme(s.state.positionKm));
    const sgp4::PositionFunction position = [&](double t) {
        if (const auto found = onGrid.find(std::llround(t * 1000));
            found != onGrid.end() && std::fabs(t * 1000 - static_cast<double>(found->first)) < 1e-6)
            return found->second;
        const double at[] = {t};
        return orbit.frame.ToTeme(propagator.StatesAt(at).front().positionKm);
    };
    sgp4::TleFitOptions options;
    options.catalogNumber = choices.norad;
    options.objectName = choices.objectName.value_or("");
    options.internationalDesignator = InternationalDesignator(choices.objectId);
    options.spanSeconds = kFitSpanS;
    options.sampleStepSeconds = kFitStepS;
    return sgp4::FitTle(orbit.epoch, position, options);
}

std::string FitLine(const sgp4::TleFit& fit)
{
    char line[160];
    std::snprintf(line, sizeof line, "TLE fit: RMS %.3f km, largest %.3f km over %g days", fit.rmsErrorKm,
                  fit.largestErrorKm, fit.spanDays);
    return line;
}

std::string TleText(const sgp4::TleFit& fit)
{
    std::string text;
    if (!fit.nameLine.empty())
        text += fit.nameLine + '\n';
    return text + fit.lines.line1 + '\n' + fit.lines.line2 + '\n';
}

std::string OmmText(const ExportOrbit& orbit, const ExportChoices& choices, const sgp4::TleFit& fit)
{
    OmmContent c;
    c.header = HeaderOf(choices);
    c.elements = fit.elements;
    c.elementComments = OrbitDescription(orbit);
    c.elementComments.push_back("SGP4 elements fitted to the propagated orbit: " + FitLine(fit).substr(9));
    return WriteOmm(c);
}

std::string GmatText(const ExportOrbit& orbit, const ExportChoices& choices)
{
    GmatContent c;
    c.spacecraftName = choices.objectName.value_or("RepeatOrbit");
    c.epochUtc = orbit.epoch.IsoUtc(3);
    c.state = ExportState(orbit, 0, orbit.state);
    c.zonalDegree = ZonalDegree(orbit.model);
    c.spanS = choices.spanS;
    c.comments = {"Made by repeat-orbit"};
    for (const std::string& line : OrbitDescription(orbit))
        c.comments.push_back(line);
    return WriteGmatScript(c);
}

TrackExport TrackOf(const ExportOrbit& orbit, const ExportChoices& choices)
{
    TrackExport t;
    t.name = choices.objectName.value_or("RepeatOrbit");
    const propagation::GravityModel model = orbit.model;
    const propagation::CartesianState state = orbit.state;
    const ephemeris::Instant epoch = orbit.epoch;
    const ephemeris::TrueOfEpochFrame frame = orbit.frame;
    // The geodetic sub-satellite point on WGS84: each propagated position
    // in EME2000 (as the OEM holds it), turned into the Earth-fixed frame by
    // the Earth's orientation at its instant (IAU 2006/2000A, UT1 = UTC, no
    // polar motion) and taken to the ellipsoid along its normal.
    t.where = [model, state, epoch, frame](const std::vector<double>& times) {
        const Propagator propagator(model, state);
        const std::vector<propagation::CartesianState> states = propagator.StatesAt(times);
        std::vector<world_map::LonLat> points(times.size());
        for (std::size_t k = 0; k < times.size(); ++k) {
            const ephemeris::GeodeticPoint g =
                ephemeris::GeodeticOfEme2000(epoch.PlusSeconds(times[k]), frame.ToEme2000(states[k].positionKm));
            points[k] = {world_map::WrapDeg(g.longitudeDeg), g.latitudeDeg};
        }
        return points;
    };
    t.utc = ClockOf(orbit.epoch);
    t.spanS = choices.spanS;
    t.dayLengthS = world_map::DayLengthS(orbit.design.record);
    t.swathKm = choices.swathKm;
    t.description = OrbitDescription(orbit);
    return t;
}

}  // namespace

const char* FormatWord(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Opm: return "opm";
    case ExportFormat::Omm: return "omm";
    case ExportFormat::Oem: return "oem";
    case ExportFormat::Tle: return "tle";
    case ExportFormat::Gmat: return "gmat";
    case ExportFormat::GeoJson: return "geojson";
    case ExportFormat::Kml: return "kml";
    }
    return "";
}

const char* FileSuffix(ExportFormat format)
{
    return format == ExportFormat::Gmat ? "script" : FormatWord(format);
}

std::string InternationalDesignator(const std::string& objectId)
{
    static const std::regex cospar(R"((\d{2})(\d{2})-(\d{3})([A-Z]{1,3}))");
    std::smatch m;
    if (!std::regex_match(objectId, m, cospar))
        return {};
    return m[2].str() + m[3].str() + m[4].str();
}

std::size_t OemStateCount(const ExportChoices& choices)
{
    const std::size_t samples = propagation::SampleCount(0, choices.spanS, choices.stepS);
    const double lastSampleS = static_cast<double>(samples - 1) * choices.stepS;
    return samples + (lastSampleS < choices.spanS - 1e-6 ? 1 : 0);
}

std::string StreamExport(const ExportOrbit& orbit, const ExportChoices& choices, const TextSink& write)
{
    switch (choices.format) {
    case ExportFormat::Opm: write(OpmText(orbit, choices)); return {};
    case ExportFormat::Oem: WriteOemStream(orbit, choices, write); return {};
    case ExportFormat::Tle: {
        const sgp4::TleFit fit = FitTle(orbit, choices);
        write(TleText(fit));
        return FitLine(fit);
    }
    case ExportFormat::Omm: write(OmmText(orbit, choices, FitTle(orbit, choices))); return {};
    case ExportFormat::Gmat: write(GmatText(orbit, choices)); return {};
    case ExportFormat::GeoJson: write(WriteGeoJson(TrackOf(orbit, choices))); return {};
    case ExportFormat::Kml: write(WriteKml(TrackOf(orbit, choices))); return {};
    }
    return {};
}

ExportText RenderExport(const ExportOrbit& orbit, const ExportChoices& choices)
{
    ExportText text;
    text.fitLine = StreamExport(orbit, choices, [&](std::string_view piece) { text.text.append(piece); });
    return text;
}

}  // namespace orbit::exports
