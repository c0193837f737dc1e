#include "map/day_tracks.h"

#include "analysis/angles.h"
#include "core/repbas.h"

#include <algorithm>
#include <cmath>

namespace world_map {

namespace {

using orbit::kDegreesPerRadian;
using orbit::kRadiansPerDegree;

// Sampling: two degrees of the orbit a step, cut into even parts where the
// chord would stray from the track by more than the tolerance. At most 64
// parts: a polar track swings through 180 degrees of longitude at the pole in
// an instant, and no sampling would follow it there.
constexpr int kStepsPerRevolution = 180;
constexpr double kToleranceDeg = 0.01;
constexpr int kMaxParts = 64;

// The swath band: its cross-sections are sampled a degree apart near the
// poles, and far from them the band is laid as long strips of at most this
// many steps, so that no strip winds round the globe.
constexpr double kCrossSectionStepDeg = 1;
constexpr double kPoleMarginDeg = 2;
constexpr std::size_t kStripSteps = 60;

LonLat ToLonLat(const orbit::analysis::GroundPoint& p) { return {p.longitudeDeg, p.latitudeDeg}; }

struct Vec3 {
    double x, y, z;
};

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Norm(Vec3 a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

Vec3 ToVec3(const LonLat& p)
{
    const double lon = p.lonDeg * kRadiansPerDegree, lat = p.latDeg * kRadiansPerDegree;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

LonLat FromVec3(Vec3 v)
{
    return {std::atan2(v.y, v.x) * kDegreesPerRadian, std::asin(std::clamp(v.z, -1.0, 1.0)) * kDegreesPerRadian};
}

// Each sample with the unit vector across the track to its left: the sample
// and the left vector span the great circle that crosses the track there.
struct CrossSection {
    Vec3 centre, left;

    // The point `angleRad` to the left of the track (to the right when negative).
    LonLat At(double angleRad) const { return FromVec3(std::cos(angleRad) * centre + std::sin(angleRad) * left); }
};

std::vector<CrossSection> CrossSections(const Polyline& samples)
{
    std::vector<Vec3> points;
    points.reserve(samples.size());
    for (const LonLat& s : samples)
        points.push_back(ToVec3(s));
    std::vector<CrossSection> sections;
    sections.reserve(points.size());
    Vec3 left{0, 0, 1};
    for (std::size_t i = 0; i < points.size(); ++i) {
        // The track's direction from the neighbouring samples.
        const Vec3 along = points[std::min(i + 1, points.size() - 1)] - points[i == 0 ? 0 : i - 1];
        const Vec3 normal = Cross(points[i], along);
        if (const double length = Norm(normal); length > 1e-12)
            left = (1 / length) * normal;
        sections.push_back({points[i], left});
    }
    return sections;
}

void Append(std::vector<Ring>& rings, const Ring& onSphere)
{
    for (Ring& ring : ToMapRings(onSphere))
        rings.push_back(std::move(ring));
}

}  // namespace

double DayLengthS(const orbit::DesignRecord& design) { return (design.M / design.Q + design.N) * design.NodalPeriod; }

Polyline SampleTrack(const orbit::analysis::GroundTrack& track, double startS, double endS,
                     std::vector<double>* timesS)
{
    if (timesS)
        timesS->clear();
    if (!(endS > startS)) {
        if (timesS)
            timesS->push_back(startS);
        return {ToLonLat(track.At(startS))};
    }
    const double revolutions = (endS - startS) / track.NodalPeriodS();
    const auto steps = static_cast<std::size_t>(std::max(1.0, std::ceil(revolutions * kStepsPerRevolution)));
    std::vector<double> times(steps + 1);
    Polyline even(steps + 1);
    for (std::size_t k = 0; k <= steps; ++k) {
        times[k] = k == steps ? endS : startS + (endS - startS) * static_cast<double>(k) / static_cast<double>(steps);
        even[k] = ToLonLat(track.At(times[k]));
    }
    // A chord strays from a smooth curve by about an eighth of the curve's
    // second difference, so the even steps tell where to sample more finely
    // and most of the track costs one evaluation a step.
    const auto strayAt = [&](std::size_t k) {
        if (k == 0 || k >= steps)
            return 0.0;
        const double lat = even[k - 1].latDeg - 2 * even[k].latDeg + even[k + 1].latDeg;
        const double lon = WrapDeg(even[k + 1].lonDeg - even[k].lonDeg) - WrapDeg(even[k].lonDeg - even[k - 1].lonDeg);
        return std::max(std::fabs(lat), std::fabs(lon)) / 8;
    };
    Polyline samples{even.front()};
    samples.reserve(steps + steps / 4 + 1);
    if (timesS)
        timesS->push_back(times.front());
    for (std::size_t k = 0; k < steps; ++k) {
        // n even parts stray n^2 times less; the estimate is doubled, as the
        // curve bends most sharply between samples at the turning points.
        const double stray = 2 * std::max(strayAt(k), strayAt(k + 1));
        const int parts = std::min(kMaxParts, static_cast<int>(std::ceil(std::sqrt(stray / kToleranceDeg))));
        for (int j = 1; j < parts; ++j) {
            const double t = times[k] + (times[k + 1] - times[k]) * j / parts;
            samples.push_back(ToLonLat(track.At(t)));
            if (timesS)
                timesS->push_back(t);
        }
        samples.push_back(even[k + 1]);
        if (timesS)
            timesS->push_back(times[k + 1]);
    }
    return samples;
}

std::vector<Ring> SwathRings(const Polyline& samples, double swathKm)
{
    std::vector<Ring> rings;
    if (!(swathKm > 0) || samples.size() < 2)
        return rings;
    const double halfWidthRad = orbit::analysis::HalfSwathRad(swathKm);
    const double halfWidthDeg = halfWidthRad * kDegreesPerRadian;
    const std::vector<CrossSection> sections = CrossSections(samples);
    const std::size_t count = sections.size();

    // Near a pole a band edge may pass over it, where longitude means nothing;
    // there the band is built step by step from finely sampled cross-sections,
    // whose rings can then be closed along the map's top or bottom edge.
    std::vector<bool> nearPole(count);
    for (std::size_t i = 0; i < count; ++i)
        nearPole[i] = 90 - std::fabs(samples[i].latDeg) < halfWidthDeg + kPoleMarginDeg;
    const int crossPoints = std::max(2, static_cast<int>(std::ceil(2 * halfWidthDeg / kCrossSectionStepDeg)) + 1);
    const auto crossAngle = [&](int j) { return -halfWidthRad + 2 * halfWidthRad * j / (crossPoints - 1); };

    std::size_t i = 0;
    while (i + 1 < count) {
        if (nearPole[i] || nearPole[i + 1]) {
            // Across at step i from right to left, back at i + 1 from left to right.
            Ring quad;
            for (int j = 0; j < crossPoints; ++j)
                quad.push_back(sections[i].At(crossAngle(j)));
            for (int j = crossPoints - 1; j >= 0; --j)
                quad.push_back(sections[i + 1].At(crossAngle(j)));
            Append(rings, quad);
            ++i;
            continue;
        }
        // A strip: the left edge forward, across its last cross-section, the
        // right edge back and across its first; it turns the same way as the
        // quads above. Its ends follow the cross-sections as finely as the
        // quads do (on the map a cross-section bows toward the pole), so
        // that strips and quads meet without gaps.
        std::size_t end = i + 1;
        while (end + 1 < count && end - i < kStripSteps && !nearPole[end + 1])
            ++end;
        Ring strip;
        strip.reserve(2 * (end - i + 1) + 2 * static_cast<std::size_t>(crossPoints));
        for (std::size_t k = i; k <= end; ++k)
            strip.push_back(sections[k].At(halfWidthRad));
        for (int j = crossPoints - 2; j >= 1; --j)
            strip.push_back(sections[end].At(crossAngle(j)));
        for (std::size_t k = end + 1; k-- > i;)
            strip.push_back(sections[k].At(-halfWidthRad));
        for (int j = 1; j <= crossPoints - 2; ++j)
            strip.push_back(sections[i].At(crossAngle(j)));
        Append(rings, strip);
        i = end;
    }
    return rings;
}

}  // namespace world_map
