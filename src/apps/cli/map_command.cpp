#include "cli/map_command.h"

#include "cli/command_line.h"
#include "cli/design_input_options.h"
#include "cli/design_run.h"
#include "cli/epoch_node_options.h"
#include "cli/option_checks.h"
#include "cli/picture_options.h"
#include "core/orbit_error.h"
#include "core/constants.h"
#include "map/ground_track_map.h"

#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

namespace orbit::cli {

namespace {

// The picture sizes a map can be drawn at.
constexpr PictureSizePx kSmallestMap{320, 160}, kLargestMap{8000, 4000};

struct MapOptions {
    DesignInputOptions inputs;
    std::string daysText;  // empty: all the days the map offers
    std::string swathText = "0";
    PictureFileOptions picture;
    std::string sizeText = "1600x800";
    EpochNodeOptions epochNode;
    bool night = false;
    std::string atText;  // empty: the epoch
};

std::string DaysRangeText(const world_map::GroundTrackMap& map)
{
    const int limit = map.DayLimit();
    std::string text = "map: --cycle-days must lie between 1 and " + std::to_string(limit);
    if (limit == world_map::kMaxMapDays || limit < map.Design().record.Q)
        text += " (a map draws at most " + std::to_string(limit) + " days of this design)";
    else
        text += " (the days of this design's repeat cycle)";
    return text;
}

void RunMapCommand(const MapOptions& options)
{
    const PictureFile file = ChosenPictureFile("map", options.picture).value();  // one was asked for
    MapPicture picture;
    const PictureSizePx size = ParsePictureSize(options.sizeText).value();  // checked when parsed
    picture.widthPx = size.widthPx;
    picture.heightPx = size.heightPx;
    picture.swathKm = ArgumentNumber("--swath", options.swathText);  // its range checked when parsed
    std::optional<double> days;
    if (!options.daysText.empty())
        days = ArgumentNumber("--cycle-days", options.daysText);
    const std::optional<EpochNode> epochNode = ReadEpochNode(options.epochNode);
    if (!epochNode && options.night)
        throw UsageError("--night needs --epoch (and the node) to place the Sun");
    if (!epochNode && !options.atText.empty())
        throw UsageError("--at needs --epoch (and the node) to place the Sun");
    if (!options.atText.empty() && !options.night)
        throw UsageError("--at is the instant of --night: give --night too");
    std::optional<ephemeris::Instant> at;
    if (!options.atText.empty()) {
        try {
            at = ephemeris::ParseIsoUtc(options.atText);
        } catch (const OrbitError& e) {
            throw UsageError(std::string("--at: ") + e.what());
        }
    }

    // Only a completed design can be drawn, as in the design window.
    const DesignRun run = RunOrbitingDesign(options.inputs.Request());
    world_map::MapDesign design{run.record, run.type, run.meanAltitudeKm.value_or(0), std::nullopt};
    try {
        if (epochNode) {
            const ephemeris::OrbitNode node = NodeOfDesign(run.record, *epochNode);
            design.epoch = world_map::MapEpoch{epochNode->epoch, node.longitudeRad * kDegreesPerRadian};
            if (options.night)
                picture.nightAtS = at ? at->SecondsSince(epochNode->epoch) : 0.0;
        }
        const world_map::GroundTrackMap map(design, picture.swathKm);
        const double shown = days.value_or(map.DayLimit());
        if (!(shown >= 1 && shown <= map.DayLimit()) || std::floor(shown) != shown)
            throw UsageError(DaysRangeText(map));
        picture.days = static_cast<int>(shown);
        WriteMapPicture(design, picture, file.format, file.path);
    } catch (const OrbitError& e) {
        std::cerr << e.what() << '\n';
        throw ComputationFailed();
    }
}

}  // namespace

void AddMapCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "map", "Draw the ground track of one design over a world map, day by day, with its swath");
    auto options = std::make_shared<MapOptions>();
    AddDesignInputOptions(*command, options->inputs);

    command->add_option("--cycle-days", options->daysText, "Days of the repeat cycle to draw, from day 0 (default: all Q)")
        ->type_name("DAYS");
    AddEpochNodeOptions(*command, options->epochNode);
    command->add_flag("--night", options->night,
                      "Shade the night side at --at, with the terminator, the Sun overhead and the satellite "
                      "(needs --epoch)");
    command->add_option("--at", options->atText, "UTC instant of --night, as --epoch (default: the epoch)")
        ->type_name("TIME");
    command
        ->add_option("--swath", options->swathText,
                     "Draw the instrument's swath, KM wide on the ground and centred on the track (0 to " +
                         std::to_string(static_cast<int>(world_map::kMaxSwathKm)) + ")")
        ->type_name("KM")
        ->check(NumberFromTo(0, world_map::kMaxSwathKm));
    AddPictureFileOptions(*command, options->picture, "the map", PictureRole::Answer);
    command->add_option("--size", options->sizeText, "Picture size in pixels (default 1600x800)")
        ->type_name("WxH")
        ->check(PictureSizeFromTo(kSmallestMap, kLargestMap));
    command->callback([options] {
        if (PictureOptionCount(options->picture) == 0)
            throw UsageError("map: choose one of --png FILE, --svg FILE or --output FILE.png|.svg");
        RunMapCommand(*options);
    });
}

}  // namespace orbit::cli
