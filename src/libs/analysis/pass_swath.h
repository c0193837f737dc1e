#pragma once
// Where one pass's swath meets one parallel, and when.
//
// A pass is half a revolution of the ground track, from one turning point to
// the next: the ascending half runs from the southernmost point (argument of
// latitude -90 degrees) to the northernmost (+90), the descending half on to
// +270. Every pass of a closed repeat cycle is the same curve moved in
// longitude and in time, so its meeting with a parallel is worked out once and
// then laid down for every pass.
//
// A point is seen by a pass when it lies within half the swath, W/2, of the
// pass's ground track, and it is seen at its closest approach. The closest
// approach to a point X lies where X is on the track's normal: the great
// circle through the sub-satellite point perpendicular to the track's
// Earth-fixed heading. So the points a pass sees are exactly the normal arcs of
// length W/2 either side of the track, one arc per instant of the pass, and a
// point's look belongs to the half in which its normal arc starts. The
// meeting of an arc with a parallel has a closed form; what is numerical is
// only finding the instants where the arcs start and stop meeting it.

#include <optional>
#include <vector>

namespace orbit::analysis {

// A stretch of a parallel seen by one pass, in longitudes relative to the
// pass's own ascending node (radians, east positive, not wrapped), and the
// time of the look at each, relative to that node (seconds).
struct SeenStretch {
    struct Point {
        double longitudeRad;
        double timeS;
    };
    std::vector<Point> points;  // by increasing longitude; at least two

    double WestRad() const { return points.front().longitudeRad; }
    double EastRad() const { return points.back().longitudeRad; }
    // The time of the look at a longitude of the stretch (clamped to it),
    // interpolated between the closest approaches worked out along it.
    double LookTimeS(double longitudeRad) const;
};

enum class PassHalf { Ascending, Descending };

// The pass of a circular orbit of inclination `inclinationRad` and nodal
// period `nodalPeriodS`, over an Earth that turns `shiftPerRevolutionRad`
// westward under the track each revolution, with a swath reaching
// `halfSwathRad` (an angle at the Earth's centre) either side of the track.
class PassSwath {
public:
    PassSwath(PassHalf half, double inclinationRad, double nodalPeriodS, double shiftPerRevolutionRad,
              double halfSwathRad);

    // The stretches of the parallel at `latitudeRad` that this pass sees;
    // none when its swath does not reach the parallel. The poles themselves
    // are points, not stretches: see SeesPole.
    std::vector<SeenStretch> StretchesAt(double latitudeRad) const;

    // Whether the swath reaches the pole; it does so at the turning point.
    bool SeesPole() const;

    // False for a track that stands still over the ground (an equatorial
    // orbit turning with the Earth): it has no heading, and no passes.
    bool Moves() const;

private:
    // What is known about the track at one argument of latitude.
    struct Sample {
        double u = 0;
        double position[3] = {0, 0, 0};   // unit vector, frame of the node
        double normal[3] = {0, 0, 0};     // unit tangent vector to the left of the track
        double amplitude = 0, phase = 0;  // height of the normal circle: amplitude cos(s - phase)
        bool hasNormal = false;           // false where the track stands still
    };
    Sample SampleAt(double u) const;
    static std::optional<double> OffsetOnBranch(const Sample& s, double z, int branch);

    // The steps of StretchesAt, along one branch of the normal circles.
    struct BranchNode;
    std::optional<double> OffsetAt(double u, double z, int branch) const;
    bool Seen(const BranchNode& node) const;
    std::vector<BranchNode> NodesOnBranch(double z, int branch) const;
    BranchNode ReachEdge(const BranchNode& reaching, const BranchNode& missing, double z) const;
    void AppendSeenRuns(const std::vector<BranchNode>& nodes, double z, int branch,
                        std::vector<SeenStretch>& stretches) const;
    SeenStretch StretchAlong(const std::vector<BranchNode>& run) const;

    double sinIncl_, cosIncl_;
    double nodalPeriodS_;
    double turnPerRadian_;  // the Earth's turn under the track per radian of u
    double halfSwathRad_;
    double uStart_, uEnd_;
    std::vector<Sample> samples_;  // evenly over the pass, both turning points included
};

}  // namespace orbit::analysis
