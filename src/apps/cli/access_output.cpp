#include "cli/access_output.h"

#include "cli/coverage_output.h"
#include "cli/design_output.h"
#include "cli/epoch_node_options.h"
#include "core/number_text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>

namespace orbit::cli {

namespace {

using access::Contact;
using access::LookLimit;
using access::LookRule;
using access::SitePass;
using Json = nlohmann::ordered_json;

constexpr double kSecondsPerDay = 86400;

std::string TimeText(const AccessSetting& s, double secondsSinceEpoch)
{
    return s.epoch.PlusSeconds(secondsSinceEpoch).IsoUtc(3);
}

Json OptionalNumber(const std::optional<double>& value) { return value ? Json(*value) : Json(nullptr); }

std::string Fixed(double value, const char* pattern) { return FormatPattern(value, pattern); }

void Line(std::ostream& out, const std::string& label, const std::string& text)
{
    std::string padded = label;
    padded.resize(15, ' ');
    out << padded << text << '\n';
}

void WriteSetting(const AccessSetting& s, std::ostream& out)
{
    const DesignRun& run = *s.run;
    std::string design = DesignName(run);
    if (run.solution) {
        design += ", " + Fixed(run.solution->MeanAltitude, "#0.00") + " km";
        if (run.solution->InclDeg)
            design += ", " + Fixed(*run.solution->InclDeg, "#0.000") + " deg";
    }
    Line(out, "Design", design);
    Line(out, "Epoch", s.epoch.IsoUtc(3));
    WriteNodeText(s.node, out);
    Line(out, "Span", Fixed(s.spanS / kSecondsPerDay, "#0.000") + " days from the epoch, to " +
                          TimeText(s, s.spanS) + (s.spanIsCycle ? " (one repeat cycle)" : ""));
}

std::string PlaceText(const NamedPlace& p)
{
    const std::string where = ShortestNumberText(p.latitudeDeg) + ", " + ShortestNumberText(p.longitudeDeg) + " deg";
    return p.fromFile ? p.name + " (" + where + ")" : where;
}

std::string RuleText(const LookRule& rule)
{
    std::string text = rule.limit == LookLimit::Swath ? "inside a " + ShortestNumberText(rule.value) + " km swath"
                                                      : "within " + ShortestNumberText(rule.value) + " deg off nadir";
    if (rule.sunMinDeg)
        text += ", with the Sun at least " + ShortestNumberText(*rule.sunMinDeg) + " deg high";
    return text;
}

std::string Direction(bool ascending) { return ascending ? "ascending" : "descending"; }

// Columns padded to their widest cell, the first left-aligned, the rest right.
void WriteColumns(const std::vector<std::vector<std::string>>& lines, std::ostream& out)
{
    if (lines.empty())
        return;
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const auto& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0) {
                text += "  ";
                text.append(widths[i] - line[i].size(), ' ');
            }
            text += line[i];
            if (i == 0 && line.size() > 1)
                text.append(widths[i] - line[i].size(), ' ');
        }
        out << text << '\n';
    }
}

Json SiteSummaryJson(const AccessSetting& s, const access::SiteSummary& summary)
{
    Json json;
    json["looks"] = summary.looks;
    json["first_look_utc"] = summary.firstLookS ? Json(TimeText(s, *summary.firstLookS)) : Json(nullptr);
    json["max_wait_days"] = OptionalNumber(summary.maxWaitDays);
    json["mean_wait_days"] = OptionalNumber(summary.meanWaitDays);
    return json;
}

Json PassJson(const AccessSetting& s, const SitePass& p)
{
    Json json;
    const ephemeris::Instant at = s.epoch.PlusSeconds(p.timeS);
    json["time_utc"] = at.IsoUtc(3);
    json["mjd_utc"] = at.MjdUtc();
    json["direction"] = Direction(p.ascending);
    json["cross_track_km"] = p.crossTrackKm;
    json["off_nadir_deg"] = p.offNadirDeg;
    json["elevation_deg"] = p.elevationDeg;
    json["local_time_h"] = p.localTimeH;
    json["sun_elevation_deg"] = p.sunElevationDeg;
    json["look"] = p.look;
    return json;
}

Json SiteJson(const NamedPlace& p, bool named)
{
    Json json;
    if (named)
        json["name"] = p.name;
    json["latitude_deg"] = p.latitudeDeg;
    json["longitude_deg"] = p.longitudeDeg;
    return json;
}

Json StationJson(const StationResult& r, bool named)
{
    Json json;
    if (named)
        json["name"] = r.place.name;
    json["latitude_deg"] = r.place.latitudeDeg;
    json["longitude_deg"] = r.place.longitudeDeg;
    json["height_m"] = r.place.heightM;
    json["mask_deg"] = r.maskDeg;
    return json;
}

Json StationSummaryJson(const access::ContactSummary& summary)
{
    Json json;
    json["contacts"] = summary.contacts;
    json["contacts_per_day"] = summary.contactsPerDay;
    json["contact_min_per_day_mean"] = summary.contactMinPerDayMean;
    json["contact_min_per_day_least"] = OptionalNumber(summary.contactMinPerDayLeast);
    json["contact_min_per_day_most"] = OptionalNumber(summary.contactMinPerDayMost);
    json["longest_gap_min"] = OptionalNumber(summary.longestGapMin);
    return json;
}

Json ContactJson(const AccessSetting& s, const Contact& c)
{
    Json json;
    json["aos_utc"] = TimeText(s, c.aosS);
    json["los_utc"] = TimeText(s, c.losS);
    json["duration_min"] = c.DurationMin();
    json["max_elevation_deg"] = c.maxElevationDeg;
    json["max_elevation_utc"] = TimeText(s, c.maxElevationS);
    json["aos_azimuth_deg"] = c.aosAzimuthDeg;
    json["los_azimuth_deg"] = c.losAzimuthDeg;
    json["aos_cut"] = c.aosCut;
    json["los_cut"] = c.losCut;
    return json;
}

Json SettingJson(const AccessSetting& s)
{
    Json json;
    json["design"] = DesignJson(*s.run);
    json["epoch"] = s.epoch.IsoUtc(3);
    json["node"] = NodeJson(s.node);
    json["span_days"] = s.spanS / kSecondsPerDay;
    json["span_end_utc"] = TimeText(s, s.spanS);
    return json;
}

std::string Cut(bool cut) { return cut ? "*" : ""; }

// A CSV cell: quoted, its quotes doubled, when it holds a comma, a quote or
// a line break (a place named by its typed "LAT,LON" does).
std::string CsvCell(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

// Names come from the user's files, which need not be UTF-8: a byte that is
// not is written as U+FFFD rather than ending the run.
void WriteJson(const Json& json, std::ostream& out)
{
    out << json.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace

void WriteSitesText(const AccessSetting& setting, const LookRule& rule, const std::vector<SiteResult>& sites,
                    std::ostream& out)
{
    WriteSetting(setting, out);
    Line(out, "Look", RuleText(rule));
    for (const SiteResult& site : sites) {
        out << '\n';
        Line(out, "Site", PlaceText(site.place));
        const access::SiteSummary& s = site.access.summary;
        std::string looks = std::to_string(s.looks) + (s.looks == 1 ? " look" : " looks");
        if (s.firstLookS)
            looks += ", the first at " + TimeText(setting, *s.firstLookS);
        Line(out, "Looks", looks);
        if (s.maxWaitDays)
            Line(out, "Wait", "longest " + Fixed(*s.maxWaitDays, "#0.000") + " days, mean " +
                                  Fixed(*s.meanWaitDays, "#0.000") + " days");
        if (s.looks == 0)
            continue;
        std::vector<std::vector<std::string>> lines = {{"time (UTC)", "pass", "cross-track (km)", "off-nadir (deg)",
                                                        "elevation (deg)", "local time", "Sun (deg)"}};
        for (const SitePass& p : site.access.passes)
            if (p.look)
                lines.push_back({TimeText(setting, p.timeS), Direction(p.ascending), Fixed(p.crossTrackKm, "#0.00"),
                                 Fixed(p.offNadirDeg, "#0.00"), Fixed(p.elevationDeg, "#0.00"),
                                 LocalTimeText(p.localTimeH), Fixed(p.sunElevationDeg, "#0.0")});
        WriteColumns(lines, out);
    }
}

void WriteSitesCsv(const AccessSetting& setting, const std::vector<SiteResult>& sites, std::ostream& out)
{
    out << "name,time_utc,mjd_utc,direction,cross_track_km,off_nadir_deg,elevation_deg,local_time_h,"
           "sun_elevation_deg,look\n";
    for (const SiteResult& site : sites)
        for (const SitePass& p : site.access.passes) {
            const ephemeris::Instant at = setting.epoch.PlusSeconds(p.timeS);
            out << CsvCell(site.place.name) << ',' << at.IsoUtc(3) << ',' << ShortestNumberText(at.MjdUtc()) << ','
                << Direction(p.ascending) << ',' << ShortestNumberText(p.crossTrackKm) << ','
                << ShortestNumberText(p.offNadirDeg) << ',' << ShortestNumberText(p.elevationDeg) << ','
                << ShortestNumberText(p.localTimeH) << ',' << ShortestNumberText(p.sunElevationDeg) << ','
                << (p.look ? "true" : "false") << '\n';
        }
}

void WriteSitesJson(const AccessSetting& setting, const LookRule& rule, const std::vector<SiteResult>& sites,
                    bool asPlaces, std::ostream& out)
{
    Json json = SettingJson(setting);
    Json look;
    look["swath_km"] = rule.limit == LookLimit::Swath ? Json(rule.value) : Json(nullptr);
    look["off_nadir_deg"] = rule.limit == LookLimit::OffNadir ? Json(rule.value) : Json(nullptr);
    look["sun_min_deg"] = OptionalNumber(rule.sunMinDeg);
    json["look"] = look;
    const auto eventsOf = [&](const SiteResult& site) {
        Json events = Json::array();
        for (const SitePass& p : site.access.passes)
            events.push_back(PassJson(setting, p));
        return events;
    };
    if (asPlaces) {
        Json places = Json::array();
        for (const SiteResult& site : sites) {
            Json place;
            place["site"] = SiteJson(site.place, true);
            place["summary"] = SiteSummaryJson(setting, site.access.summary);
            place["events"] = eventsOf(site);
            places.push_back(std::move(place));
        }
        json["places"] = std::move(places);
    } else {
        json["site"] = SiteJson(sites.front().place, false);
        json["summary"] = SiteSummaryJson(setting, sites.front().access.summary);
        json["events"] = eventsOf(sites.front());
    }
    WriteJson(json, out);
}

void WriteStationsText(const AccessSetting& setting, const std::vector<StationResult>& stations, std::ostream& out)
{
    WriteSetting(setting, out);
    bool anyCut = false;
    for (const StationResult& station : stations) {
        out << '\n';
        Line(out, "Station", PlaceText(station.place) + ", " + ShortestNumberText(station.place.heightM) + " m, mask " +
                                 ShortestNumberText(station.maskDeg) + " deg");
        const access::ContactSummary& s = station.summary;
        Line(out, "Contacts", std::to_string(s.contacts) + ", " + Fixed(s.contactsPerDay, "#0.00") + " a day");
        std::string minutes = Fixed(s.contactMinPerDayMean, "#0.0") + " min a day";
        if (s.contactMinPerDayLeast)
            minutes += " (least " + Fixed(*s.contactMinPerDayLeast, "#0.0") + ", most " +
                       Fixed(*s.contactMinPerDayMost, "#0.0") + " over the whole days)";
        Line(out, "Contact time", minutes);
        if (s.longestGapMin)
            Line(out, "Longest gap", Fixed(*s.longestGapMin, "#0.0") + " min");
        if (station.contacts.empty())
            continue;
        std::vector<std::vector<std::string>> lines = {{"AOS (UTC)", "LOS (UTC)", "minutes", "max elevation (deg)",
                                                        "at (UTC)", "AOS azimuth", "LOS azimuth"}};
        for (const Contact& c : station.contacts) {
            anyCut = anyCut || c.aosCut || c.losCut;
            lines.push_back({TimeText(setting, c.aosS) + Cut(c.aosCut), TimeText(setting, c.losS) + Cut(c.losCut),
                             Fixed(c.DurationMin(), "#0.00"), Fixed(c.maxElevationDeg, "#0.00"),
                             TimeText(setting, c.maxElevationS), Fixed(c.aosAzimuthDeg, "#0.0"),
                             Fixed(c.losAzimuthDeg, "#0.0")});
        }
        WriteColumns(lines, out);
    }
    if (anyCut)
        out << "\n* cut by the span's start or end: the contact goes on beyond it\n";
}

void WriteStationsCsv(const AccessSetting& setting, const std::vector<StationResult>& stations, std::ostream& out)
{
    out << "name,aos_utc,los_utc,duration_min,max_elevation_deg,max_elevation_utc,aos_azimuth_deg,"
           "los_azimuth_deg,aos_cut,los_cut\n";
    for (const StationResult& station : stations)
        for (const Contact& c : station.contacts)
            out << CsvCell(station.place.name) << ',' << TimeText(setting, c.aosS) << ',' << TimeText(setting, c.losS) << ','
                << ShortestNumberText(c.DurationMin()) << ',' << ShortestNumberText(c.maxElevationDeg) << ','
                << TimeText(setting, c.maxElevationS) << ',' << ShortestNumberText(c.aosAzimuthDeg) << ','
                << ShortestNumberText(c.losAzimuthDeg) << ',' << (c.aosCut ? "true" : "false") << ','
                << (c.losCut ? "true" : "false") << '\n';
}

void WriteStationsJson(const AccessSetting& setting, const std::vector<StationResult>& stations, bool asPlaces,
                       std::ostream& out)
{
    Json json = SettingJson(setting);
    const auto eventsOf = [&](const StationResult& station) {
        Json events = Json::array();
        for (const Contact& c : station.contacts)
            events.push_back(ContactJson(setting, c));
        return events;
    };
    if (asPlaces) {
        Json places = Json::array();
        for (const StationResult& station : stations) {
            Json place;
            place["station"] = StationJson(station, true);
            place["summary"] = StationSummaryJson(station.summary);
            place["events"] = eventsOf(station);
            places.push_back(std::move(place));
        }
        json["places"] = std::move(places);
    } else {
        json["station"] = StationJson(stations.front(), false);
        json["summary"] = StationSummaryJson(stations.front().summary);
        json["events"] = eventsOf(stations.front());
    }
    WriteJson(json, out);
}

}  // namespace orbit::cli
