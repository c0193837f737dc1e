#include "cli/access_command.h"

#include "access/site_access.h"
#include "access/station_contacts.h"
#include "analysis/swath_coverage.h"
#include "analysis/whole_numbers.h"
#include "cli/access_output.h"
#include "cli/access_places.h"
#include "cli/answer_file.h"
#include "cli/command_line.h"
#include "cli/design_input_options.h"
#include "cli/design_run.h"
#include "cli/epoch_node_options.h"
#include "cli/option_checks.h"
#include "core/constants.h"
#include "core/orbit_error.h"
#include "core/repbas.h"

#include <cmath>
#include <iostream>
#include <memory>
#include <numbers>
#include <optional>
#include <utility>

namespace orbit::cli {

namespace {

constexpr double kLongestSpanDays = 366;

struct AccessOptions {
    DesignInputOptions inputs;
    EpochNodeOptions epochNode;
    std::vector<std::string> siteTexts, stationTexts;
    std::string sitesFile, stationsFile;
    std::string swathText, offNadirText, sunMinText, maskText, daysText;
    bool csv = false;
    bool json = false;
};

// What was asked, read and checked before any work starts.
struct AccessRequest {
    bool stations = false;
    bool asPlaces = false;
    std::vector<NamedPlace> places;
    access::LookRule rule;
    double maskDeg = access::kDefaultMaskDeg;
    std::optional<double> spanDays;
};

double PositiveNumber(const std::string& option, const std::string& text, double high, const std::string& what)
{
    const double value = ArgumentNumber(option, text);
    if (!(value > 0))
        throw UsageError(option + ": '" + text + "' is not positive: " + what);
    if (!(value <= high))
        throw UsageError(option + ": '" + text + "' is too large: " + what);
    return value;
}

AccessRequest RequestOf(const AccessOptions& o)
{
    AccessRequest request;
    const bool sites = !o.siteTexts.empty() || !o.sitesFile.empty();
    const bool stations = !o.stationTexts.empty() || !o.stationsFile.empty();
    if (sites && stations)
        throw UsageError("--site and --station: ask about sites or about stations, not both at once");
    if (!sites && !stations)
        throw UsageError("--site or --station: name at least one place (or a file of them, --sites or --stations)");
    request.stations = stations;

    if (stations) {
        const std::pair<const char*, const std::string*> siteOptions[] = {
            {"--swath", &o.swathText}, {"--off-nadir", &o.offNadirText}, {"--sun-min", &o.sunMinText}};
        for (const auto& [option, text] : siteOptions)
            if (!text->empty())
                throw UsageError(std::string(option) + ": applies to a site, not a station");
        for (const std::string& text : o.stationTexts)
            request.places.push_back(ReadPlaceOption("--station", text, true));
        if (!o.stationsFile.empty())
            for (NamedPlace& p : ReadPlacesFile("--stations-file", o.stationsFile, true))
                request.places.push_back(std::move(p));
        if (!o.maskText.empty())
            request.maskDeg = ArgumentNumberWithin("--mask", o.maskText, -5, 90, true, "is outside -5 to 90 degrees");
    } else {
        if (!o.maskText.empty())
            throw UsageError("--mask: applies to a station, not a site");
        if (o.swathText.empty() == o.offNadirText.empty())
            throw UsageError("--swath or --off-nadir: a site needs exactly one of them, the instrument's reach");
        if (!o.swathText.empty()) {
            request.rule.limit = access::LookLimit::Swath;
            request.rule.value = PositiveNumber("--swath", o.swathText, std::numbers::pi * RepBas::Re,
                                                "the swath must be above 0 and at most half the Earth's circumference");
            if (request.rule.value < analysis::kNarrowestSwathKm)
                throw UsageError("--swath: the narrowest swath is 0.001 km (one metre)");
        } else {
            request.rule.limit = access::LookLimit::OffNadir;
            request.rule.value = ArgumentNumber("--off-nadir", o.offNadirText);
            if (!(request.rule.value > 0 && request.rule.value < 90))
                throw UsageError("--off-nadir: '" + o.offNadirText + "' is not an angle above 0 and below 90 degrees");
        }
        if (!o.sunMinText.empty())
            request.rule.sunMinDeg = ArgumentNumberWithin("--sun-min", o.sunMinText, -90, 90, true,
                                                           "is outside -90 to 90 degrees");
        for (const std::string& text : o.siteTexts)
            request.places.push_back(ReadPlaceOption("--site", text, false));
        if (!o.sitesFile.empty())
            for (NamedPlace& p : ReadPlacesFile("--sites-file", o.sitesFile, false))
                request.places.push_back(std::move(p));
    }
    request.asPlaces = request.places.size() > 1 || !o.sitesFile.empty() || !o.stationsFile.empty();
    if (!o.daysText.empty())
        request.spanDays = PositiveNumber("--days", o.daysText, kLongestSpanDays, "the span is at most 366 days");
    return request;
}

[[noreturn]] void Fail(const std::string& message)
{
    std::cerr << message << '\n';
    throw ComputationFailed();
}

void RunAccessCommand(const AccessOptions& options)
{
    const AccessRequest request = RequestOf(options);
    const EpochNode epochNode = RequireEpochNode(options.epochNode);
    const DesignRun run = RunOrbitingDesign(options.inputs.Request());

    AccessSetting setting;
    setting.run = &run;
    setting.epoch = epochNode.epoch;
    try {
        setting.node = NodeOfDesign(run.record, epochNode);
        if (request.spanDays) {
            setting.spanS = *request.spanDays * kSecondsPerDay;
        } else {
            if (!analysis::IsModestWhole(run.record.N) || !analysis::IsModestWhole(run.record.M) ||
                !analysis::IsModestWhole(run.record.Q) || run.record.Q < 1)
                Fail("The default span is one repeat cycle, which needs whole numbers N, M and Q with Q at least 1: "
                     "give the span with --days");
            setting.spanS = analysis::RepeatCycleOf(run.record).LengthDays() * kSecondsPerDay;
            setting.spanIsCycle = true;
        }
        const access::SatelliteTrack track(run.record, run.semiMajorAxisKm.value_or(0), setting.node.longitudeRad);
        const access::TrackSamples samples(track, setting.spanS);

        if (request.stations) {
            std::vector<StationResult> results;
            for (const NamedPlace& p : request.places) {
                StationResult r;
                r.place = p;
                r.maskDeg = request.maskDeg;
                r.contacts = access::StationContacts(samples, {p.latitudeDeg, p.longitudeDeg, p.heightM, request.maskDeg});
                r.summary = access::SummarizeContacts(r.contacts, setting.spanS);
                results.push_back(std::move(r));
            }
            if (options.json)
                WriteStationsJson(setting, results, request.asPlaces, std::cout);
            else if (options.csv)
                WriteStationsCsv(setting, results, std::cout);
            else
                WriteStationsText(setting, results, std::cout);
        } else {
            const access::SunOverSpan sun(setting.epoch, setting.spanS);
            std::vector<SiteResult> results;
            for (const NamedPlace& p : request.places)
                results.push_back({p, access::SiteAccessOver(samples, sun, {p.latitudeDeg, p.longitudeDeg}, request.rule)});
            if (options.json)
                WriteSitesJson(setting, request.rule, results, request.asPlaces, std::cout);
            else if (options.csv)
                WriteSitesCsv(setting, results, std::cout);
            else
                WriteSitesText(setting, request.rule, results, std::cout);
        }
    } catch (const OrbitError& e) {
        Fail(e.what());
    }
    std::cout.flush();
}

}  // namespace

void AddAccessCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "access", "When the orbit sees a place, or a ground station can talk to the satellite");
    auto options = std::make_shared<AccessOptions>();
    AddDesignInputOptions(*command, options->inputs);
    AddEpochNodeOptions(*command, options->epochNode);
    command->add_option("--site", options->siteTexts, "A place to see, latitude and longitude in degrees (repeatable)")
        ->type_name("LAT,LON");
    command->add_option("--sites-file", options->sitesFile,
                        "A CSV file of places, with the header line name,latitude_deg,longitude_deg")
        ->type_name("FILE");
    command->add_option("--station", options->stationTexts,
                        "A ground station: latitude and longitude in degrees, height in m (repeatable)")
        ->type_name("LAT,LON[,HEIGHT_M]");
    command->add_option("--stations-file", options->stationsFile,
                        "A CSV file of stations, with the header line name,latitude_deg,longitude_deg[,height_m]")
        ->type_name("FILE");
    command->add_option("--swath", options->swathText, "A site is seen inside this swath, km, centred on the track")
        ->type_name("KM");
    command->add_option("--off-nadir", options->offNadirText,
                        "A site is seen within this angle off nadir, deg (a pointing instrument)")
        ->type_name("DEG");
    command->add_option("--sun-min", options->sunMinText, "A site is seen only with the Sun at least this high, deg")
        ->type_name("DEG");
    command->add_option("--mask", options->maskText, "Stations' elevation mask, deg (-5 to 90; default 5)")
        ->type_name("DEG");
    command->add_option("--days", options->daysText, "Span from the epoch, days (up to 366; default one repeat cycle)")
        ->type_name("DAYS");
    CLI::Option* csv = command->add_flag("--csv", options->csv, "Write the events as CSV, at full precision");
    CLI::Option* json = command->add_flag("--json", options->json,
                                          "Write one JSON object: design, epoch, node, place, summary, events");
    csv->excludes(json);
    AddAnswerFileOption(*command);
    command->callback([options] { RunAccessCommand(*options); });
}

}  // namespace orbit::cli
