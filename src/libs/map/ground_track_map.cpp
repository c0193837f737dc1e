#include "map/ground_track_map.h"

#include "core/constants.h"
#include "core/design_name.h"
#include "core/orbit_error.h"
#include "core/repbas.h"
#include "ephemeris/sub_solar_sampling.h"
#include "map/day_tracks.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>
#include <string>

namespace world_map {

namespace {

// Numbers in titles are written alike in every locale.
std::ostringstream ClassicStream()
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    return out;
}

double RevolutionsPerDay(const orbit::DesignRecord& record) { return record.M / record.Q + record.N; }

int DayLimitOf(const orbit::DesignRecord& record)
{
    const double wholeDays = std::floor(record.Q);
    const double byRevolutions = std::floor(kMaxMapRevolutions / RevolutionsPerDay(record));
    return static_cast<int>(std::max(1.0, std::min({wholeDays, static_cast<double>(kMaxMapDays), byRevolutions})));
}

}  // namespace

MapDesign MapDesignOf(const orbit::DesignRecord& record, orbit::OrbitType type)
{
    using namespace orbit::RepBas;
    const double axisKm = type == orbit::OrbitType::SunSynchronous
                              ? SunSyncAxis(record.N, record.M, record.Q)
                              : InclAxis(record.N, record.M, record.Q, record.Incl);
    return {record, type, axisKm - Re, std::nullopt};
}

void CheckSwathKm(double swathKm)
{
    if (!(swathKm >= 0 && swathKm <= kMaxSwathKm))
        throw orbit::OrbitError(orbit::ErrorKind::Usage, "The swath width must lie between 0 and " +
                                                             std::to_string(static_cast<int>(kMaxSwathKm)) + " km");
}

GroundTrackMap::GroundTrackMap(const MapDesign& design, double swathKm)
    : design_(design), track_(design.record), dayLengthS_(world_map::DayLengthS(design.record)), dayLimit_(0)
{
    const double revsPerDay = RevolutionsPerDay(design.record);
    if (!(revsPerDay > 0) || !(dayLengthS_ > 0) || !std::isfinite(dayLengthS_) || !(design.record.Q > 0))
        throw orbit::OrbitError(orbit::ErrorKind::InvalidArgument,
                                "This design has no ground track to draw: it makes no revolutions in a day");
    if (revsPerDay > kMaxMapRevolutions)
        throw orbit::OrbitError(orbit::ErrorKind::InvalidArgument,
                                "This design makes too many revolutions a day to draw on a map");
    dayLimit_ = DayLimitOf(design.record);
    CheckSwathKm(swathKm);
    swathKm_ = swathKm;
    if (design.epoch)
        sun_ = orbit::ephemeris::ExactSubSolarTrack(design.epoch->epoch, SpanS());
    samples_.resize(static_cast<std::size_t>(dayLimit_));
    sampleTimes_.resize(static_cast<std::size_t>(dayLimit_));
    days_.resize(static_cast<std::size_t>(dayLimit_));
}

void GroundTrackMap::SetSwathKm(double swathKm)
{
    CheckSwathKm(swathKm);
    if (swathKm == swathKm_)
        return;
    swathKm_ = swathKm;
    for (auto& day : days_)
        day.reset();
}

const DayGeometry& GroundTrackMap::Day(int day) const
{
    if (day < 0 || day >= dayLimit_)
        throw orbit::OrbitError(orbit::ErrorKind::InvalidArgument, "No such day on this map");
    const auto index = static_cast<std::size_t>(day);
    if (!samples_[index]) {
        Polyline samples = SampleTrack(track_, day * dayLengthS_, (day + 1) * dayLengthS_, &sampleTimes_[index]);
        if (design_.epoch)
            for (LonLat& p : samples)
                p.lonDeg = WrapDeg(p.lonDeg + design_.epoch->nodeLongitudeDeg);
        samples_[index] = std::move(samples);
    }
    if (!days_[index]) {
        const Polyline& samples = *samples_[index];
        DayGeometry geometry{{}, {}, SwathRings(samples, swathKm_)};
        const auto addPiece = [&](const Polyline& run, bool lit) {
            for (Polyline& piece : SplitAtMapEdge(run)) {
                geometry.track.push_back(std::move(piece));
                geometry.trackLit.push_back(lit);
            }
        };
        if (!sun_) {
            addPiece(samples, true);
        } else {
            // Runs of samples under the same sky; each run ends on the first
            // sample of the next, so the pieces join.
            const std::vector<double>& times = sampleTimes_[index];
            std::vector<bool> lit(samples.size());
            for (std::size_t i = 0; i < samples.size(); ++i)
                lit[i] = IsLit(samples[i], *sun_, times[i]);
            std::size_t from = 0;
            for (std::size_t i = 1; i <= samples.size(); ++i) {
                if (i < samples.size() && lit[i] == lit[from])
                    continue;
                const std::size_t to = std::min(i, samples.size() - 1);
                addPiece(Polyline(samples.begin() + static_cast<std::ptrdiff_t>(from),
                                  samples.begin() + static_cast<std::ptrdiff_t>(to) + 1),
                         lit[from]);
                from = i;
            }
        }
        days_[index] = std::move(geometry);
    }
    return *days_[index];
}

LonLat GroundTrackMap::SatelliteAt(double secondsAfterStart) const
{
    const orbit::analysis::GroundPoint p = track_.At(secondsAfterStart);
    const double shift = design_.epoch ? design_.epoch->nodeLongitudeDeg : 0;
    return {WrapDeg(p.longitudeDeg + shift), p.latitudeDeg};
}

std::optional<TrackPoint> GroundTrackMap::NearestTrackPoint(const LonLat& place, int days, double withinDeg) const
{
    days = std::clamp(days, 0, dayLimit_);
    const double cosLat = std::cos(place.latDeg * orbit::kRadiansPerDegree);
    // Offsets on the ground, in degrees of arc, from the place.
    const auto offset = [&](const LonLat& p) {
        return std::pair{WrapDeg(p.lonDeg - place.lonDeg) * cosLat, p.latDeg - place.latDeg};
    };
    std::optional<TrackPoint> best;
    double bestDistance = withinDeg;
    for (int day = 0; day < days; ++day) {
        Day(day);
        const auto index = static_cast<std::size_t>(day);
        const Polyline& samples = *samples_[index];
        const std::vector<double>& times = sampleTimes_[index];
        for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
            // The nearest point of the chord to the next sample.
            const auto [ax, ay] = offset(samples[i]);
            const auto [bx, by] = offset(samples[i + 1]);
            const double dx = bx - ax, dy = by - ay;
            if (std::fabs(dx) > 90)
                continue;  // a chord across the pole's longitudes: its neighbours will do
            const double length2 = dx * dx + dy * dy;
            const double f = length2 > 0 ? std::clamp(-(ax * dx + ay * dy) / length2, 0.0, 1.0) : 0.0;
            const double distance = std::hypot(ax + f * dx, ay + f * dy);
            if (distance <= bestDistance) {
                bestDistance = distance;
                const double t = times[i] + f * (times[i + 1] - times[i]);
                best = TrackPoint{day, t, SatelliteAt(t)};
            }
        }
    }
    return best;
}

std::string GroundTrackMap::Title() const
{
    return orbit::DesignTitle(design_.record, design_.type, design_.meanAltitudeKm);
}

std::string GroundTrackMap::Subtitle(int days) const
{
    std::ostringstream out = ClassicStream();
    out << "Ground track over " << days << (days == 1 ? " day" : " days");
    if (swathKm_ > 0)
        out << ", swath " << swathKm_ << " km";
    if (design_.epoch)
        out << ", from " << design_.epoch->epoch.IsoUtc(0);
    return out.str();
}

}  // namespace world_map
