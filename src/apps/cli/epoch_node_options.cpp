#include "cli/epoch_node_options.h"

#include "cli/command_line.h"
#include "cli/option_checks.h"
#include "core/constants.h"
#include "core/orbit_error.h"

#include <cmath>
#include <cstdio>

namespace orbit::cli {

namespace {

using ephemeris::NodeGiven;
using ephemeris::NodeRequest;

// A right ascension is an angle; one turn either way is as far as a typed
// value is taken to mean what it says.
constexpr double kMaxRaanDeg = 360;

double LocalTimeOption(const std::string& option, const std::string& text)
{
    try {
        return ephemeris::ParseLocalTimeHours(text);
    } catch (const OrbitError& e) {
        throw UsageError(option + ": " + e.what());
    }
}

std::optional<NodeRequest> NodeOf(const EpochNodeOptions& options)
{
    if (!options.ltanText.empty())
        return NodeRequest{NodeGiven::Ltan, LocalTimeOption("--ltan", options.ltanText)};
    if (!options.ltdnText.empty())
        return NodeRequest{NodeGiven::Ltdn, LocalTimeOption("--ltdn", options.ltdnText)};
    if (!options.raanText.empty()) {
        const double raan = ArgumentNumber("--raan", options.raanText);
        if (!(std::abs(raan) <= kMaxRaanDeg))
            throw UsageError("--raan: '" + options.raanText + "' is outside -360 to 360 degrees");
        return NodeRequest{NodeGiven::RaanEme2000, raan};
    }
    return std::nullopt;
}

const char* NodeOptionName(const EpochNodeOptions& options)
{
    return !options.ltanText.empty() ? "--ltan" : !options.ltdnText.empty() ? "--ltdn" : "--raan";
}

}  // namespace

void AddEpochNodeOptions(CLI::App& command, EpochNodeOptions& options)
{
    command.add_option("--epoch", options.epochText,
                       "UTC instant of day 0's first ascending node, YYYY-MM-DDThh:mm[:ss[.fff]]Z")
        ->type_name("TIME");
    CLI::Option* ltan = command.add_option("--ltan", options.ltanText,
                                           "Mean local time of the ascending node at the epoch, HH:MM[:SS]")
                            ->type_name("HH:MM");
    CLI::Option* ltdn = command.add_option("--ltdn", options.ltdnText,
                                           "Mean local time of the descending node at the epoch, HH:MM[:SS]")
                            ->type_name("HH:MM");
    CLI::Option* raan = command.add_option("--raan", options.raanText,
                                           "Right ascension of the ascending node at the epoch, EME2000, deg")
                            ->type_name("DEG");
    ltan->excludes(ltdn);
    ltan->excludes(raan);
    ltdn->excludes(raan);
}

std::optional<EpochNode> ReadEpochNode(const EpochNodeOptions& options)
{
    const std::optional<NodeRequest> node = NodeOf(options);
    if (options.epochText.empty()) {
        if (node)
            throw UsageError(std::string(NodeOptionName(options)) + " needs --epoch (the instant the node is at)");
        return std::nullopt;
    }
    std::optional<ephemeris::Instant> epoch;
    try {
        epoch = ephemeris::ParseIsoUtc(options.epochText);
    } catch (const OrbitError& e) {
        throw UsageError(std::string("--epoch: ") + e.what());
    }
    if (!node)
        throw UsageError("--epoch needs the node: one of --ltan, --ltdn or --raan");
    return EpochNode{*epoch, *node};
}

EpochNode RequireEpochNode(const EpochNodeOptions& options)
{
    std::optional<EpochNode> read = ReadEpochNode(options);
    if (!read)
        throw UsageError("--epoch is required, with one of --ltan, --ltdn or --raan");
    return *read;
}

ephemeris::OrbitNode NodeOfDesign(const DesignRecord& record, const EpochNode& epochNode)
{
    return ephemeris::ResolveNode(epochNode.epoch, epochNode.node, record.Incl, record.NodeRate);
}

std::string LocalTimeText(double hours) { return ephemeris::LocalTimeText(hours); }

void WriteNodeText(const ephemeris::OrbitNode& node, std::ostream& out)
{
    char line[256];
    std::snprintf(line, sizeof line, "Node           RAAN %.4f deg of date, %.4f deg EME2000\n",
                  node.raanOfDateRad * kDegreesPerRadian, node.raanEme2000Rad * kDegreesPerRadian);
    out << line;
    out << "Local time     ascending node " << LocalTimeText(node.ltanMeanH) << " mean, "
        << LocalTimeText(node.ltanTrueH) << " true; descending node " << LocalTimeText(node.ltdnMeanH) << " mean, "
        << LocalTimeText(node.ltdnTrueH) << " true\n";
    // A drift that rounds to nothing reads as none, not as "-0.00".
    const double drift = std::abs(node.ltanDriftMinPerDay) < 0.005 ? 0.0 : node.ltanDriftMinPerDay;
    std::snprintf(line, sizeof line, "Sun            equation of time %+.2f min; the node's local time drifts %+.2f min a day\n",
                  node.equationOfTimeMin, drift);
    out << line;
}

nlohmann::ordered_json NodeJson(const ephemeris::OrbitNode& node)
{
    nlohmann::ordered_json json;
    json["raan_of_date_deg"] = node.raanOfDateRad * kDegreesPerRadian;
    json["raan_eme2000_deg"] = node.raanEme2000Rad * kDegreesPerRadian;
    json["ltan_mean_h"] = node.ltanMeanH;
    json["ltan_true_h"] = node.ltanTrueH;
    json["ltdn_mean_h"] = node.ltdnMeanH;
    json["ltdn_true_h"] = node.ltdnTrueH;
    json["equation_of_time_min"] = node.equationOfTimeMin;
    json["ltan_drift_min_per_day"] = node.ltanDriftMinPerDay;
    return json;
}

}  // namespace orbit::cli
