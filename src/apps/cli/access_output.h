#pragma once
// How `repeat-orbit access` writes its answer: the design, the epoch and the
// node, the span, then each place's summary and its events (looks or
// contacts) for reading; the events as CSV; or one JSON object. Times are
// UTC in ISO 8601 to the millisecond.

#include "access/site_access.h"
#include "access/station_contacts.h"
#include "cli/access_places.h"
#include "cli/design_run.h"
#include "ephemeris/orbit_node.h"

#include <ostream>
#include <string>
#include <vector>

namespace orbit::cli {

struct AccessSetting {
    const DesignRun* run = nullptr;
    ephemeris::Instant epoch = ephemeris::ParseIsoUtc("2000-01-01T12:00:00Z");
    ephemeris::OrbitNode node;
    double spanS = 0;
    bool spanIsCycle = false;  // the default span: one repeat cycle
};

struct SiteResult {
    NamedPlace place;
    access::SiteAccess access;
};

struct StationResult {
    NamedPlace place;
    double maskDeg = access::kDefaultMaskDeg;
    std::vector<access::Contact> contacts;
    access::ContactSummary summary;
};

// `asPlaces`: the JSON holds "places" (several places, or a file of them)
// instead of the one place's "site" or "station", "summary" and "events".
void WriteSitesText(const AccessSetting& setting, const access::LookRule& rule, const std::vector<SiteResult>& sites,
                    std::ostream& out);
void WriteSitesCsv(const AccessSetting& setting, const std::vector<SiteResult>& sites, std::ostream& out);
void WriteSitesJson(const AccessSetting& setting, const access::LookRule& rule, const std::vector<SiteResult>& sites,
                    bool asPlaces, std::ostream& out);

void WriteStationsText(const AccessSetting& setting, const std::vector<StationResult>& stations, std::ostream& out);
void WriteStationsCsv(const AccessSetting& setting, const std::vector<StationResult>& stations, std::ostream& out);
void WriteStationsJson(const AccessSetting& setting, const std::vector<StationResult>& stations, bool asPlaces,
                       std::ostream& out);

}  // namespace orbit::cli
