#include "analysis/pass_swath.h"

#include "analysis/angles.h"
#include "core/angle_wrap.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace orbit::analysis {

namespace {

// Samples along a pass. Every stretch the swath cuts from a parallel holds a
// sample, a turning point (a sample too), a crossing of the track with the
// parallel or a place where the normal circle stops reaching the parallel
// (both found between samples), so the count only sets how far the stretch's
// ends lie from their first bracket.
constexpr int kSamplesPerPass = 64;

// Boundaries are refined to this width in argument of latitude (a few
// micrometres on the ground).
constexpr double kBoundaryToleranceRad = 1e-12;
constexpr int kMaxRefinementSteps = 200;

// Where the track stands still over the ground (a geostationary-like design)
// it has no heading and no normal.
constexpr double kSmallestSpeed = 1e-12;

// Regula falsi with the Illinois modification: f(inside) >= 0 and f(outside)
// < 0 or unknown; returns a point on the inside within the tolerance of the
// change. An unknown value (no meeting at all) is outside and forces a
// bisection step.
template <typename F>
double Refine(double inside, double outside, F&& f)
{
    std::optional<double> fIn = f(inside), fOut = f(outside);
    int lastMoved = 0;  // +1 inside, -1 outside
    for (int step = 0; step < kMaxRefinementSteps && std::fabs(outside - inside) > kBoundaryToleranceRad; ++step) {
        double trial = 0.5 * (inside + outside);
        if (fIn && fOut && *fIn > *fOut) {
            const double falsi = inside + (outside - inside) * (*fIn / (*fIn - *fOut));
            if ((falsi - inside) * (falsi - outside) < 0)
                trial = falsi;
        }
        const std::optional<double> fTrial = f(trial);
        if (fTrial && *fTrial >= 0) {
            inside = trial;
            fIn = fTrial;
            if (lastMoved == 1 && fOut)
                *fOut *= 0.5;
            lastMoved = 1;
        } else {
            outside = trial;
            fOut = fTrial;
            if (lastMoved == -1 && fIn)
                *fIn *= 0.5;
            lastMoved = -1;
        }
    }
    return inside;
}

}  // namespace

double SeenStretch::LookTimeS(double longitudeRad) const
{
    if (longitudeRad <= points.front().longitudeRad)
        return points.front().timeS;
    if (longitudeRad >= points.back().longitudeRad)
        return points.back().timeS;
    const auto after = std::upper_bound(points.begin(), points.end(), longitudeRad,
                                        [](double lon, const Point& p) { return lon < p.longitudeRad; });
    const Point& b = *after;
    const Point& a = *(after - 1);
    const double span = b.longitudeRad - a.longitudeRad;
    if (!(span > 0))
        return a.timeS;
    return a.timeS + (b.timeS - a.timeS) * ((longitudeRad - a.longitudeRad) / span);
}

// The offset along the normal at which the normal great circle of `s` meets
// the parallel of sine `z`: the circle's height is amplitude cos(offset -
// phase), so two offsets do, one on each branch (-1 or +1), or none.
std::optional<double> PassSwath::OffsetOnBranch(const Sample& s, double z, int branch)
{
    if (!s.hasNormal || s.amplitude < std::fabs(z))
        return std::nullopt;
    const double spread = std::acos(std::clamp(z / s.amplitude, -1.0, 1.0));
    return WrapPlusMinusPi(s.phase + branch * spread);
}

PassSwath::PassSwath(PassHalf half, double inclinationRad, double nodalPeriodS, double shiftPerRevolutionRad,
                     double halfSwathRad)
    : sinIncl_(std::sin(inclinationRad)),
      cosIncl_(std::cos(inclinationRad)),
      nodalPeriodS_(nodalPeriodS),
      turnPerRadian_(shiftPerRevolutionRad / kTwoPi),
      halfSwathRad_(halfSwathRad),
      uStart_(half == PassHalf::Ascending ? -kPi / 2 : kPi / 2),
      uEnd_(half == PassHalf::Ascending ? kPi / 2 : 3 * kPi / 2)
{
    samples_.reserve(kSamplesPerPass + 1);
    for (int k = 0; k < kSamplesPerPass; ++k)
        samples_.push_back(SampleAt(uStart_ + (uEnd_ - uStart_) * k / kSamplesPerPass));
    samples_.push_back(SampleAt(uEnd_));  // the turning point itself, shared with the next half
}

PassSwath::Sample PassSwath::SampleAt(double u) const
{
    // In the frame that turns with the node the satellite runs along a great
    // circle; the Earth turns under it by turnPerRadian_ for each radian of u,
    // which bends the Earth-fixed heading westward.
    const double su = std::sin(u), cu = std::cos(u);
    Sample s;
    s.u = u;
    s.position[0] = cu;
    s.position[1] = cosIncl_ * su;
    s.position[2] = sinIncl_ * su;
    const double w = turnPerRadian_;
    const double velocity[3] = {-su + w * cosIncl_ * su, cosIncl_ * cu - w * cu, sinIncl_ * cu};
    const double* p = s.position;
    const double cross[3] = {p[1] * velocity[2] - p[2] * velocity[1], p[2] * velocity[0] - p[0] * velocity[2],
                             p[0] * velocity[1] - p[1] * velocity[0]};
    const double speed = std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]);
    s.hasNormal = speed > kSmallestSpeed;
    if (s.hasNormal) {
        for (int i = 0; i < 3; ++i)
            s.normal[i] = cross[i] / speed;
        s.amplitude = std::hypot(s.position[2], s.normal[2]);
        s.phase = std::atan2(s.normal[2], s.position[2]);
    }
    return s;
}

bool PassSwath::SeesPole() const
{
    // The turning point is the track's nearest approach to the pole.
    return kPi / 2 - std::asin(std::fabs(sinIncl_)) <= halfSwathRad_;
}

bool PassSwath::Moves() const
{
    return std::any_of(samples_.begin(), samples_.end(), [](const Sample& s) { return s.hasNormal; });
}

// A place along the pass where the normal circle is looked at: its argument
// of latitude and the offset along the normal at which the circle meets the
// parallel, if it does.
struct PassSwath::BranchNode {
    double u;
    std::optional<double> offset;
};

std::optional<double> PassSwath::OffsetAt(double u, double z, int branch) const
{
    return OffsetOnBranch(SampleAt(u), z, branch);
}

bool PassSwath::Seen(const BranchNode& node) const
{
    return node.offset && std::fabs(*node.offset) <= halfSwathRad_;
}

std::vector<SeenStretch> PassSwath::StretchesAt(double latitudeRad) const
{
    const double z = std::sin(latitudeRad);
    std::vector<SeenStretch> stretches;
    if (std::fabs(z) >= 1)
        return stretches;

    for (const int branch : {-1, 1})
        AppendSeenRuns(NodesOnBranch(z, branch), z, branch, stretches);
    return stretches;
}

// The samples, and between them the places where the seen stretch may be
// narrower than the sample spacing: where the track crosses the parallel
// (the offset changes sign) and where the normal circle stops reaching the
// parallel at all, which near a crossing of a steep track happens within
// the swath.
std::vector<PassSwath::BranchNode> PassSwath::NodesOnBranch(double z, int branch) const
{
    const auto offsetAt = [&](double u) { return OffsetAt(u, z, branch); };
    const auto nodeAt = [&](double u) { return BranchNode{u, offsetAt(u)}; };
    std::vector<BranchNode> nodes;
    nodes.reserve(samples_.size() + 8);
    const auto addCrossingBetween = [&](const BranchNode& a, const BranchNode& b) {
        if (!a.offset || !b.offset || (Seen(a) && Seen(b)) || (*a.offset < 0) == (*b.offset < 0) ||
            std::fabs(*a.offset - *b.offset) >= kPi)
            return;
        const bool negativeFirst = *a.offset < 0;
        const auto towardA = [&](double u) -> std::optional<double> {
            const std::optional<double> o = offsetAt(u);
            if (!o)
                return std::nullopt;
            return negativeFirst ? -*o : *o;
        };
        nodes.push_back(nodeAt(Refine(a.u, b.u, towardA)));
    };
    for (std::size_t k = 0; k < samples_.size(); ++k) {
        const BranchNode current{samples_[k].u, OffsetOnBranch(samples_[k], z, branch)};
        if (k > 0) {
            const BranchNode previous = nodes.back();
            if (previous.offset.has_value() != current.offset.has_value()) {
                const BranchNode edge = ReachEdge(previous.offset ? previous : current,
                                                  previous.offset ? current : previous, z);
                if (previous.offset) {
                    addCrossingBetween(previous, edge);
                    nodes.push_back(edge);
                } else {
                    nodes.push_back(edge);
                    addCrossingBetween(edge, current);
                }
            } else {
                addCrossingBetween(previous, current);
            }
        }
        nodes.push_back(current);
    }
    return nodes;
}

// Where between a node whose normal circle reaches the parallel and one
// whose circle does not it stops reaching it. There the two branches meet
// in one point, the top of the normal circle (its bottom in the south);
// both take it exactly, for the offset's square-root rise would otherwise
// leave a sliver between them.
PassSwath::BranchNode PassSwath::ReachEdge(const BranchNode& reaching, const BranchNode& missing, double z) const
{
    const auto reachAt = [&](double u) -> std::optional<double> {
        const Sample s = SampleAt(u);
        if (!s.hasNormal)
            return std::nullopt;
        return s.amplitude - std::fabs(z);
    };
    const double edgeU = Refine(reaching.u, missing.u, reachAt);
    const Sample edgeSample = SampleAt(edgeU);
    const double edgeOffset = WrapPlusMinusPi(edgeSample.phase + (z < 0 ? kPi : 0));
    return BranchNode{edgeU, edgeSample.hasNormal ? std::optional<double>(edgeOffset) : std::nullopt};
}

// Each run of seen nodes, with the swath's edge found on either side of it,
// as one stretch.
void PassSwath::AppendSeenRuns(const std::vector<BranchNode>& nodes, double z, int branch,
                               std::vector<SeenStretch>& stretches) const
{
    const auto nodeAt = [&](double u) { return BranchNode{u, OffsetAt(u, z, branch)}; };
    const auto marginAt = [&](double u) -> std::optional<double> {
        const std::optional<double> offset = OffsetAt(u, z, branch);
        if (!offset)
            return std::nullopt;
        return halfSwathRad_ - std::fabs(*offset);
    };
    for (std::size_t first = 0; first < nodes.size();) {
        if (!Seen(nodes[first])) {
            ++first;
            continue;
        }
        std::size_t last = first;
        while (last + 1 < nodes.size() && Seen(nodes[last + 1]))
            ++last;

        std::vector<BranchNode> run;
        if (first > 0)
            run.push_back(nodeAt(Refine(nodes[first].u, nodes[first - 1].u, marginAt)));
        for (std::size_t k = first; k <= last; ++k)
            run.push_back(nodes[k]);
        if (last + 1 < nodes.size())
            run.push_back(nodeAt(Refine(nodes[last].u, nodes[last + 1].u, marginAt)));
        stretches.push_back(StretchAlong(run));
        first = last + 1;
    }
}

namespace {

// A stretch's points by increasing longitude, at least two, and never round
// the parallel more than once.
void TidyStretchPoints(std::vector<SeenStretch::Point>& points)
{
    if (points.size() == 1)
        points.push_back(points.front());
    if (points.back().longitudeRad < points.front().longitudeRad)
        std::reverse(points.begin(), points.end());
    if (!std::is_sorted(points.begin(), points.end(),
                        [](const auto& a, const auto& b) { return a.longitudeRad < b.longitudeRad; }))
        std::sort(points.begin(), points.end(),
                  [](const auto& a, const auto& b) { return a.longitudeRad < b.longitudeRad; });
    const double wholeTurnEnd = points.front().longitudeRad + kTwoPi;
    while (points.size() > 2 && points[points.size() - 2].longitudeRad >= wholeTurnEnd)
        points.pop_back();
    if (points.back().longitudeRad > wholeTurnEnd)
        points.back().longitudeRad = wholeTurnEnd;
}

}  // namespace

// The points of the parallel a run of nodes sees, each at its longitude
// from the pass's node and the time of its look.
SeenStretch PassSwath::StretchAlong(const std::vector<BranchNode>& run) const
{
    SeenStretch stretch;
    stretch.points.reserve(run.size());
    for (const BranchNode& node : run) {
        const double u = node.u;
        const Sample s = SampleAt(u);
        const double offset = node.offset.value_or(0);
        const double c = std::cos(offset), sn = std::sin(offset);
        const double x = c * s.position[0] + sn * s.normal[0];
        const double y = c * s.position[1] + sn * s.normal[1];
        double longitude = std::atan2(y, x) - turnPerRadian_ * u;
        if (!stretch.points.empty()) {
            // Keep the stretch in one piece across the date line.
            const double before = stretch.points.back().longitudeRad;
            longitude = before + WrapPlusMinusPi(longitude - before);
        }
        stretch.points.push_back({longitude, u / kTwoPi * nodalPeriodS_});
    }
    TidyStretchPoints(stretch.points);
    return stretch;
}

}  // namespace orbit::analysis
