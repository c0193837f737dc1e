#pragma once
// Swath coverage and revisit by latitude: with an instrument of a given swath
// on a completed repeat design, which share of each parallel is seen in one
// repeat cycle, and how long each place waits between two looks.
//
// The repeat cycle is R = N Q + M revolutions of the nodal period T, and it
// repeats for ever: the track is taken to close exactly, shifting westward by
// 360 Q / R degrees a revolution (the design's own node spacing agrees with
// that to its solver's tolerance). K satellites share the orbit, evenly spaced
// in argument of latitude.
//
// The Earth here is the design's sphere (radius Re of core/repbas.h), as the
// design is: a parallel is a latitude on that sphere. Places given by their
// users (access/, the map exports) are geodetic on WGS84; the two latitudes
// of one point differ by at most 0.19 degrees (at 45 degrees), some 21 km.
//
// Everything here is a pure function of its arguments: no globals, no caches,
// safe to call from many threads at once.

#include "analysis/pass_swath.h"
#include "core/sub_solar_track.h"
#include "core/repeat_orbit_solver.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orbit::analysis {

enum class PassDirection { Both, Ascending, Descending };

inline constexpr int kMaxSatellites = 100;
// A finer latitude grid than this would take minutes and gigabytes.
inline constexpr double kFinestLatitudeStepDeg = 0.001;
// A swath narrower than a metre sees nothing an instrument could use, and
// its sidelap, (W - d) / W, would run past any number.
inline constexpr double kNarrowestSwathKm = 0.001;

struct SwathRequest {
    double swathKm = 0;
    int satellites = 1;
    PassDirection passes = PassDirection::Both;
    double latitudeStepDeg = 1;
};

// Throws OrbitError (Usage) naming the value at fault: a swath that is not a
// number of at least kNarrowestSwathKm or is wider than half the Earth's circumference, fewer than
// 1 or more than kMaxSatellites satellites, a latitude step outside
// (0, 90] or finer than kFinestLatitudeStepDeg.
void ValidateSwathRequest(const SwathRequest& request);

// The light test of an optical imager: a look counts only when the Sun
// stands at least `minSunElevationDeg` above the horizon of the place seen,
// at the time of the look. The track is then placed on the Earth and in time:
// day 0's first ascending node lies at `nodeLongitudeRad` (Earth-fixed, east)
// at t = 0, the start of the Sun's track. The seasons move from one cycle to
// the next, so `cycles` successive cycles from t = 0 are each evaluated and
// every latitude keeps its worst.
inline constexpr double kLowestSunElevationDeg = -18;  // the end of astronomical twilight
// A year of seasons in one-day cycles needs 366; after a year the seasons
// come round again, so more cycles would add time, not answers.
inline constexpr int kMaxCycles = 400;
// The cycles together: ten years at most, the longest span the Sun's figures
// of `repeat-orbit sun` take too.
inline constexpr double kMaxLightSpanDays = 3660;

struct LightCondition {
    double minSunElevationDeg = 0;
    double nodeLongitudeRad = 0;
    int cycles = 1;
};

// Throws OrbitError (Usage) with the reason: a least elevation that is not a
// number from kLowestSunElevationDeg to 90, or a count of cycles outside 1 to
// kMaxCycles.
void ValidateLightCondition(const LightCondition& light);

struct LatitudeCoverage {
    double latitudeDeg = 0;
    // Passes per cycle (ascending or descending halves of one satellite's
    // revolution) that see some point of the parallel.
    std::int64_t passes = 0;
    double coveredFraction = 0;  // share of the parallel's longitudes seen per cycle
    // Over the seen longitudes: the longest wait between successive looks, and
    // the mean wait (cycle / looks) averaged. None where nothing is seen.
    std::optional<double> maxRevisitDays;
    std::optional<double> meanRevisitDays;
};

// Parallels covered whole, from one latitude to another of one hemisphere,
// both in degrees from the equator (absolute latitudes).
struct LatitudeBand {
    double fromLatDeg = 0;
    double toLatDeg = 0;

    friend bool operator==(const LatitudeBand&, const LatitudeBand&) = default;
};

struct CoverageSummary {
    double sidelapPercent = 0;
    // Each hemisphere's band of fully covered parallels that reaches highest,
    // the equator belonging to both. None where no parallel of that
    // hemisphere is fully covered. The Sun lights the hemispheres
    // differently, so with the light test the two may differ.
    std::optional<LatitudeBand> fullCoverageNorth;
    std::optional<LatitudeBand> fullCoverageSouth;
    // The longest max revisit over every fully covered parallel.
    std::optional<double> maxRevisitDays;

    // Whether both bands run down to the equator: every place up to the
    // lower of their tops is seen.
    bool FullCoverageFromEquator() const
    {
        return fullCoverageNorth && fullCoverageNorth->fromLatDeg == 0 && fullCoverageSouth &&
               fullCoverageSouth->fromLatDeg == 0;
    }
};

struct CoverageTable {
    std::vector<LatitudeCoverage> rows;  // south to north
    CoverageSummary summary;
};

// The repeat cycle of a completed design: R = N Q + M revolutions in
// R T seconds. Throws OrbitError (InvalidArgument) when N, M or Q is not a
// whole number, Q is below 1, the cycle has no revolution, or the design has
// no ground track (GroundTrack's own checks).
struct RepeatCycle {
    std::int64_t revolutions = 0;
    std::int64_t days = 0;  // Q
    double nodalPeriodS = 0;
    double inclinationRad = 0;

    double LengthDays() const;
};
RepeatCycle RepeatCycleOf(const DesignRecord& design);

// The equatorial sidelap in percent, (W - d) / W * 100, with d the distance
// between neighbouring ascending tracks of all K satellites, measured on the
// sphere perpendicular to the Earth-fixed track; negative when there is a
// gap. Cheap: a closed form, no track is laid down. Throws as RepeatCycleOf
// and ValidateSwathRequest do.
double EquatorialSidelapPercent(const DesignRecord& design, double swathKm, int satellites = 1);

// The coverage of one design by one swath, parallel by parallel. Building it
// lays out the passes once; each parallel then costs a few microseconds for a
// design of a few hundred revolutions.
class SwathCoverage {
public:
    // Throws as RepeatCycleOf and ValidateSwathRequest do (the latitude step
    // is not looked at here), and OrbitError (InvalidArgument) for a track
    // that stands still over the ground, which makes no passes.
    SwathCoverage(const DesignRecord& design, double swathKm, int satellites = 1,
                  PassDirection passes = PassDirection::Both);

    LatitudeCoverage AtLatitude(double latitudeDeg) const;

    // The same with the light test, for cycle `cycle` (0 the first) of the
    // track placed by `light` and lit by `sun` (t = 0 at day 0's first
    // ascending node). The Sun breaks the symmetry AtLatitude rests on (every
    // node position alike), so the whole parallel is laid out, and each look
    // is tested where and when it is made. The Sun's track should cover the
    // cycle; outside it, it is read at its nearest end.
    LatitudeCoverage AtLatitude(double latitudeDeg, const LightCondition& light, const SubSolarTrack& sun,
                                std::int64_t cycle) const;

    // The latitude's row of the table with the light test: its worst over
    // light.cycles cycles (WorstOverCycles).
    LatitudeCoverage WorstOverCyclesAt(double latitudeDeg, const LightCondition& light,
                                       const SubSolarTrack& sun) const;

    // AtLatitude(latitudeDeg).maxRevisitDays, to the last bit, where the
    // parallel is fully covered (coveredFraction 1), and none where it is
    // not: what the summary of the table reads, for far less work on long
    // cycles (analysis/worst_revisit.cpp).
    std::optional<double> MaxRevisitDaysIfFullyCovered(double latitudeDeg) const;

    const RepeatCycle& Cycle() const { return cycle_; }

private:
    struct HalfStretch {
        SeenStretch stretch;
        std::size_t half;  // index into counted_
    };
    // The covered stretches of every counted half at the latitude.
    std::vector<HalfStretch> StretchesAt(double latitudeDeg) const;
    // The cuts of one position spacing where some stretch starts or ends.
    std::vector<double> PieceBounds(const std::vector<HalfStretch>& stretches, double finestPieceRad) const;
    LatitudeCoverage AtPole(double latitudeDeg) const;
    LatitudeCoverage AtPole(double latitudeDeg, const LightCondition& light, const SubSolarTrack& sun,
                            std::int64_t cycle) const;

    // The steps of a parallel (analysis/swath_coverage.cpp).
    struct CoverageTally;
    void TallyPiece(const std::vector<SeenStretch>& stretches, double west, double east, CoverageTally& tally,
                    std::vector<double>& looks) const;
    // With the light test.
    struct LitLooks;
    struct LitPiece;
    struct LitCopy;
    struct LitParallel;
    LitLooks LightOfEachLook(const std::vector<HalfStretch>& stretches, double latitudeDeg,
                             const LightCondition& light, const SubSolarTrack& sun, std::int64_t cycle) const;
    std::vector<LitPiece> LitPieces(const std::vector<HalfStretch>& stretches, CoverageTally& tally) const;
    void AddEntriesOver(LitPiece& piece, const std::vector<HalfStretch>& stretches) const;
    void OrderLooksByTime(LitPiece& piece) const;
    void TallyLitCopy(const LitPiece& piece, std::int64_t passStep, LitParallel& parallel, LitCopy& copy) const;
    void TallyUniformCopy(const LitPiece& piece, LitParallel& parallel, LitCopy& copy) const;
    void TallyCutCopy(const LitPiece& piece, LitParallel& parallel, LitCopy& copy) const;
    void MarkSeen(const LitPiece& piece, LitParallel& parallel, const LitCopy& copy) const;

    RepeatCycle cycle_;
    std::vector<PassSwath> counted_;  // the halves whose looks count
    // The passes of one kind (ascending or descending halves) number
    // R K. Their nodes fall on `positions_` evenly spaced longitudes,
    // `passesPerPosition_` passes on each (more than one when the
    // satellites' tracks coincide, or N, M, Q is not in lowest terms).
    std::int64_t passesPerHalf_ = 0;
    std::int64_t positions_ = 0;
    std::int64_t passesPerPosition_ = 1;
    std::int64_t stepInverse_ = 0;  // turns a position into the first pass on it
    double positionSpacingRad_ = 0;
    double passIntervalS_ = 0;  // between successive passes of one kind: T / K
    double cycleS_ = 0;
};

// The latitudes of the grid: from -90 every `stepDeg` up to 90 at most.
std::vector<double> LatitudeGrid(double stepDeg);

// The summary of rows computed for one request.
CoverageSummary SummarizeCoverage(const std::vector<LatitudeCoverage>& rows, double sidelapPercent);

// The whole table: validates the request, then every parallel of the grid.
CoverageTable CoverageByLatitude(const DesignRecord& design, const SwathRequest& request);

// The whole table with the light test: each latitude's worst over the
// cycles: fewest passes, least covered fraction, longest max revisit (over
// the cycles that see some of the parallel) and the mean revisit averaged
// over those cycles. Throws as the table without light does, as
// ValidateLightCondition does, OrbitError (Usage) when the cycles together
// last longer than kMaxLightSpanDays, and OrbitError (InvalidArgument) when
// `sun` does not reach the end of the last cycle.
CoverageTable CoverageByLatitude(const DesignRecord& design, const SwathRequest& request,
                                 const LightCondition& light, const SubSolarTrack& sun);

// The checks of the table with the light test beyond the request's own:
// ValidateLightCondition's, the cycles' span and the Sun's reach.
void ValidateLightReach(const RepeatCycle& cycle, const LightCondition& light, const SubSolarTrack& sun);

// A latitude's worst over cycles, as the table with light reports it.
LatitudeCoverage WorstOverCycles(const std::vector<LatitudeCoverage>& cycles);

}  // namespace orbit::analysis
