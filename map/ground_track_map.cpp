#include "map/ground_track_map.h"

#include "core/design_name.h"
#include "core/orbit_error.h"
#include "core/repbas.h"
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
    return {record, type, axisKm - Re};
}

void CheckSwathKm(double swathKm)
{
    if (!(swathKm >= 0 && swathKm <= kMaxSwathKm))
        throw orbit::OrbitError(orbit::ErrorKind::Usage, "The swath width must lie between 0 and " +
                                                             std::to_string(static_cast<int>(kMaxSwathKm)) + " km");
}

GroundTrackMap::GroundTrackMap(const MapDesign& design, double swathKm)
    : design_(design), track_(design.record), dayLengthS_(DayLengthS(design.record)), dayLimit_(0)
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
    samples_.resize(static_cast<std::size_t>(dayLimit_));
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
    if (!samples_[index])
        samples_[index] = SampleTrack(track_, day * dayLengthS_, (day + 1) * dayLengthS_);
    if (!days_[index])
        days_[index] = DayGeometry{SplitAtMapEdge(*samples_[index]), SwathRings(*samples_[index], swathKm_)};
    return *days_[index];
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
    return out.str();
}

}  // namespace world_map
