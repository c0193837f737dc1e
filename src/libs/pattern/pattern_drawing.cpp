#include "pattern/pattern_drawing.h"

#include "core/guarded.h"
#include "core/number_text.h"
#include "core/orbit_error.h"
#include "pattern/day_track_search.h"
#include "pattern/single_coordinate.h"

namespace pattern {

namespace {

using orbit::Guarded;

constexpr double kDegreeWidth = 0.8;           // user x units per degree of longitude
constexpr float kTrackTop = 1, kTrackBottom = 33;
constexpr float kBarY = 35, kEndTickY = 34, kMiddleTickY = 36, kSpacingLabelY = 37;
constexpr double kMiddleTick = 0.4;             // half a bar, in spacings
constexpr double kRightLabel = 0.24;            // 30 % into the right bar
constexpr double kLeftLabel = 0.7 * kDegreeWidth;  // 30 % into the left bar: 0.5599999999999999
constexpr int kDayPenPx = 1, kBarPenPx = 2;
constexpr int kBarPaletteIndex = 12;            // light red

// One bar on the right (side +1) or its mirror image on the left (side -1).
void DrawScaleBar(DrawingSurface& surface, double centreX, double spacingDeg, double side,
                  double labelFactor)
{
    const Rgb colour = DrawingSurface::QBColor(kBarPaletteIndex);
    const Guarded c = centreX;
    const float centre = ToSingle(centreX);
    const float farEnd = ToSingle((c + side * (kDegreeWidth * Guarded(spacingDeg))).value());
    const float middle = ToSingle((c + side * (kMiddleTick * Guarded(spacingDeg))).value());
    surface.Line(centre, kBarY, farEnd, kBarY, colour);
    surface.Line(middle, kBarY, middle, kMiddleTickY, colour);
    surface.Line(centre, kBarY, centre, kEndTickY, colour);
    surface.Line(farEnd, kBarY, farEnd, kEndTickY, colour);
    surface.CurrentX(ToSingle((c + side * (labelFactor * Guarded(spacingDeg))).value()));
    surface.CurrentY(kSpacingLabelY);
    surface.Print(SpacingLabel(spacingDeg));
}

}  // namespace

std::string SpacingLabel(double spacingDeg)
{
    return "Orbit spacing " + orbit::FormatPattern(spacingDeg, "00.00") + " degrees";
}

void DrawPattern(const orbit::DesignRecord& design, DrawingSurface& surface)
{
    surface.Show();
    surface.DrawWidth(kDayPenPx);
    const double PatternCentreX = 25;  // the reference track, mid-window

    // Read once, before the first day.
    const double lastDay = design.Q;
    if (lastDay >= kLastDay + 1)
        throw orbit::OrbitError(orbit::ErrorKind::Overflow);
    for (int day = 0; day <= lastDay; ++day) {
        const double TrackOffset = FindDayTrack(design, day).TrackOffset;  // degrees, west positive
        const float x = ToSingle((Guarded(PatternCentreX) - kDegreeWidth * Guarded(TrackOffset)).value());
        surface.Line(x, kTrackTop, x, kTrackBottom, std::nullopt);
        surface.CurrentX(x);
        surface.CurrentY(ToSingle(day + 1));
        surface.Print(static_cast<long long>(day));
    }

    surface.DrawWidth(kBarPenPx);
    const double spacingDeg = design.NodeSpacingDeg;
    DrawScaleBar(surface, PatternCentreX, spacingDeg, +1, kRightLabel);
    DrawScaleBar(surface, PatternCentreX, spacingDeg, -1, kLeftLabel);
}

}  // namespace pattern
