#include "map/qt/map_painter.h"

#include "core/orbit_error.h"
#include "map/day_colours.h"
#include "map/qt/strip_painting.h"
#include "map/simplify.h"
#include "map/world.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace world_map {

namespace {

const QColor kGraticule(110, 128, 146, 90);
const QColor kFrame(90, 100, 112);
const QColor kLabel(90, 100, 112);
constexpr int kSwathAlpha = 56;
constexpr double kGraticuleStepDeg = 30;
// Beyond this many days the legend shows one bar of all the days' colours.
constexpr int kLegendEntriesMax = 10;

QColor ColourOf(Rgb rgb, int alpha = 255) { return QColor(rgb.red, rgb.green, rgb.blue, alpha); }

QFont Scaled(const QFont& font, double factor, bool bold = false)
{
    QFont scaled = font;
    if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * factor))));
    else
        scaled.setPointSizeF(font.pointSizeF() * factor);
    scaled.setBold(bold);
    return scaled;
}

// Widths of lines and marks follow the text, so a large picture is not thin.
double LineUnit(const MapStyle& style, const QPaintDevice* device)
{
    return std::max(1.0, QFontMetricsF(style.font, device).height() / 14);
}

QString DegreeLabel(double deg, char positive, char negative)
{
    const long whole = std::lround(std::fabs(deg));
    if (whole == 0)
        return QStringLiteral("0\u00b0");
    return QStringLiteral("%1\u00b0%2").arg(whole).arg(QChar(deg > 0 ? positive : negative));
}

void DrawNodeMark(QPainter& painter, QPointF at, double unit)
{
    painter.setPen(QPen(palette::kText, 1.4 * unit));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 4 * unit, 4 * unit);
}

void DrawGraticuleLabels(QPainter& painter, const QRectF& frame, const MapStyle& style, const QTransform& toFrame)
{
    painter.setFont(Scaled(style.font, 0.8));
    painter.setPen(kLabel);
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const GraticuleLabel& label : GraticuleLabels(frame, metrics, toFrame))
        painter.drawText(label.baseline, label.text);
}

void DrawTitle(QPainter& painter, const QRectF& area, const MapScene& scene, int days, const MapStyle& style)
{
    painter.setPen(palette::kText);
    const QFont titleFont = Scaled(style.font, 1.15, true);
    const QFontMetricsF titleMetrics(titleFont, painter.device());
    painter.setFont(titleFont);
    const QString title = QString::fromStdString(scene.Map().Title());
    painter.drawText(QPointF(area.left(), area.top() + titleMetrics.ascent()),
                     titleMetrics.elidedText(title, Qt::ElideRight, area.width()));
    painter.setFont(style.font);
    const QFontMetricsF metrics(style.font, painter.device());
    const QString subtitle = QString::fromStdString(scene.Map().Subtitle(days));
    painter.drawText(QPointF(area.left(), area.top() + titleMetrics.height() + metrics.ascent()),
                     metrics.elidedText(subtitle, Qt::ElideRight, area.width()));
}

void DrawLegend(QPainter& painter, const QRectF& area, int days, const MapStyle& style, double unit)
{
    painter.save();
    painter.setClipRect(area);
    painter.setFont(style.font);
    const QFontMetricsF metrics(style.font, painter.device());
    const double baseline = area.center().y() + 0.5 * (metrics.ascent() - metrics.descent());
    const double middle = area.center().y();
    const double gap = metrics.averageCharWidth();
    double x = area.left();

    if (days <= kLegendEntriesMax) {
        const double swatch = 2.2 * metrics.averageCharWidth();
        for (int day = 0; day < days; ++day) {
            painter.setPen(QPen(ColourOf(DayColour(day, days)), 2.5 * unit, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(x, middle), QPointF(x + swatch, middle));
            x += swatch + 0.5 * gap;
            painter.setPen(palette::kText);
            const QString text = QStringLiteral("Day %1").arg(day);
            painter.drawText(QPointF(x, baseline), text);
            x += metrics.horizontalAdvance(text) + 2 * gap;
        }
    } else {
        painter.setPen(palette::kText);
        painter.drawText(QPointF(x, baseline), QStringLiteral("Day 0"));
        x += metrics.horizontalAdvance(QStringLiteral("Day 0")) + gap;
        const double block = std::max(2.0, 12 * metrics.averageCharWidth() / days);
        const double height = 0.6 * metrics.height();
        for (int day = 0; day < days; ++day)
            painter.fillRect(QRectF(x + day * block, middle - height / 2, block + 0.5, height),
                             ColourOf(DayColour(day, days)));
        x += days * block + gap;
        painter.drawText(QPointF(x, baseline), QStringLiteral("Day %1").arg(days - 1));
        x += metrics.horizontalAdvance(QStringLiteral("Day %1").arg(days - 1)) + 2 * gap;
    }

    DrawNodeMark(painter, QPointF(x + 4 * unit, middle), unit);
    x += 8 * unit + gap;
    painter.setPen(palette::kText);
    painter.drawText(QPointF(x, baseline), QStringLiteral("Day 0's first ascending node"));

    const QString credit = QString::fromUtf8(kLandCredit);
    painter.setPen(kLabel);
    painter.drawText(QPointF(area.right() - metrics.horizontalAdvance(credit), baseline), credit);
    painter.restore();
}

// The level of detail the frame's scale can show on a device.
int DetailOf(const QPaintDevice& device, const QRectF& frame, const Viewport& view)
{
    const double devicePixels = frame.width() * device.devicePixelRatioF();
    return DetailLevelFor(devicePixels > 0 ? view.WidthDeg() / devicePixels : 1.0);
}

// The part of `target` that a painter reaches: all of it, or one strip.
QRectF ReachedArea(const QPainter& painter, const QRectF& target)
{
    const QPaintDevice* device = painter.device();
    const QRectF deviceArea(0, 0, device->width(), device->height());
    return painter.deviceTransform().inverted().mapRect(deviceArea).intersected(target);
}

// Each day's band, translucent. On an image, the day's rings are filled
// opaque into a layer, which is laid on a tint image at the swath's opacity;
// the tint, all days stacked, is then laid on the map at once (laying one
// translucent layer over another first gives the same as laying both on the
// map). The rings of one day overlap and must tint the ground once, and many
// small rings fill far faster than one large area. The fill is not
// antialiased, which costs a tenth as much over these large areas; a
// one-pixel smooth outline in the same colour softens the band's edge
// (inside the band the outlines fall on its own colour and vanish). Past ten
// days, above 100 per cent, the tint is made at one pixel a point and
// smoothly enlarged: a quarter of the work, for bands that then cover most
// of the map and whose edges are soft anyway. The tint covers only the part
// of the frame the painter reaches, on a grid of its pixels fixed to the
// target's corner, so that strips painted apart meet without a seam.
// Elsewhere (SVG) each day's rings are one area filled with the nonzero rule
// in a translucent colour.
void DrawSwaths(QPainter& painter, const QRectF& target, const QRectF& frame, const QTransform& toFrame,
                const MapScene& scene, int days, int detail)
{
    if (!(scene.SwathKm() > 0))
        return;
    painter.setPen(Qt::NoPen);
    const bool image = painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster;
    if (!image) {
        for (int day = days - 1; day >= 0; --day) {
            painter.setBrush(ColourOf(DayColour(day, days), kSwathAlpha));
            painter.drawPath(toFrame.map(scene.SwathArea(day, detail)));
        }
        return;
    }
    const double deviceRatio = painter.device()->devicePixelRatioF();
    const double ratio = days > kLegendEntriesMax ? std::min(1.0, deviceRatio) : deviceRatio;
    // Two points of margin let the enlarged tint blend across a strip's edge
    // as it does within a strip.
    const QRectF wanted = ReachedArea(painter, target).intersected(frame).adjusted(-2, -2, 2, 2).intersected(target);
    if (wanted.isEmpty())
        return;
    const auto onGrid = [&](double from, double to, bool up) {
        const double pixels = (to - from) * ratio;
        return from + (up ? std::ceil(pixels) : std::floor(pixels)) / ratio;
    };
    const QRectF area(QPointF(onGrid(target.left(), wanted.left(), false), onGrid(target.top(), wanted.top(), false)),
                      QPointF(onGrid(target.left(), wanted.right(), true), onGrid(target.top(), wanted.bottom(), true)));
    const QSize pixels(static_cast<int>(std::lround(area.width() * ratio)),
                       static_cast<int>(std::lround(area.height() * ratio)));
    QImage tint(pixels, QImage::Format_ARGB32_Premultiplied);
    tint.setDevicePixelRatio(ratio);
    tint.fill(Qt::transparent);
    QImage layer(pixels, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    QPainter tintPainter(&tint);
    tintPainter.setOpacity(kSwathAlpha / 255.0);
    for (int day = days - 1; day >= 0; --day) {
        const std::vector<QPolygonF>& rings = scene.Day(day, detail).swathRings;
        if (rings.empty())
            continue;
        layer.fill(Qt::transparent);
        const QColor colour = ColourOf(DayColour(day, days));
        QPainter layerPainter(&layer);
        layerPainter.translate(-area.topLeft());
        layerPainter.setClipRect(frame);
        layerPainter.setTransform(toFrame, true);
        layerPainter.setPen(Qt::NoPen);
        layerPainter.setBrush(colour);
        for (const QPolygonF& ring : rings)
            layerPainter.drawPolygon(ring, Qt::WindingFill);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        QPen edge(colour, 1);
        edge.setCosmetic(true);
        layerPainter.setPen(edge);
        layerPainter.setBrush(Qt::NoBrush);
        for (const QPolygonF& ring : rings)
            layerPainter.drawPolygon(ring);
        layerPainter.end();
        tintPainter.drawImage(QPointF(0, 0), layer);
    }
    tintPainter.end();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area, tint);
    painter.restore();
}

// Where the map's parts go and how wide its lines are, worked out once on the
// caller's thread: fonts are measured there, never in a strip.
struct MapFrame {
    MapLayout layout;
    Viewport shown;
    QTransform toFrame;
    double unit;
};

MapFrame FrameOf(const QRectF& target, const Viewport& view, const MapStyle& style, const QPaintDevice* device)
{
    MapFrame map{LayOutMap(target, style, device), view.Clamped(), {}, LineUnit(style, device)};
    map.toFrame = DegreesToFrame(map.layout.frame, map.shown);
    return map;
}

// Paper, sea, land and graticule.
void PaintBase(QPainter& painter, const QRectF& target, const MapFrame& map, const WorldShapes& world)
{
    const QRectF& frame = map.layout.frame;
    painter.save();
    // Not antialiased: a smoothed rectangle that starts above the painter's
    // reach can come out a row short at its foot, and the frame's line
    // covers the sea's edge anyway.
    painter.fillRect(target, palette::kPaper);
    painter.setClipRect(frame);
    painter.fillRect(frame, palette::kSea);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.setTransform(map.toFrame, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::kLand);
    for (const WorldShapes::LandPolygon& rings : world.Land(DetailOf(*painter.device(), frame, map.shown))) {
        // This painter's own path: see WorldShapes::Land.
        QPainterPath polygon;
        polygon.setFillRule(Qt::OddEvenFill);
        for (const QPolygonF& ring : rings) {
            polygon.addPolygon(ring);
            polygon.closeSubpath();
        }
        painter.drawPath(polygon);
    }
    painter.restore();

    painter.setPen(QPen(kGraticule, 0.8 * map.unit, Qt::SolidLine, Qt::FlatCap));
    for (double lon = -180 + kGraticuleStepDeg; lon < 180; lon += kGraticuleStepDeg)
        painter.drawLine(map.toFrame.map(QLineF(lon, -90, lon, 90)));
    for (double lat = -90 + kGraticuleStepDeg; lat < 90; lat += kGraticuleStepDeg)
        painter.drawLine(map.toFrame.map(QLineF(-180, lat, 180, lat)));
    painter.restore();
}

// The swaths, the tracks and day 0's node, within the frame.
void PaintTracks(QPainter& painter, const QRectF& target, const MapFrame& map, const MapScene& scene, int days)
{
    const QRectF& frame = map.layout.frame;
    const int detail = DetailOf(*painter.device(), frame, map.shown);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(frame);
    DrawSwaths(painter, target, frame, map.toFrame, scene, days, detail);
    // Later days first, so that day 0, the reference, lies on top. Past ten
    // days the lines are one device pixel wide: the map is dense with them,
    // and such a line is drawn several times faster than a wider one.
    QPen trackPen(Qt::black, 1.5 * map.unit, Qt::SolidLine, Qt::SquareCap);
    if (days > kLegendEntriesMax) {
        trackPen.setWidthF(1);
        trackPen.setCosmetic(true);
    }
    std::vector<QLineF> lines;
    for (int day = days - 1; day >= 0; --day) {
        const std::vector<QLineF>& track = scene.Day(day, detail).track;
        lines.resize(track.size());
        std::transform(track.begin(), track.end(), lines.begin(),
                       [&](const QLineF& line) { return map.toFrame.map(line); });
        trackPen.setColor(ColourOf(DayColour(day, days)));
        painter.setPen(trackPen);
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    DrawNodeMark(painter, map.toFrame.map(QPointF(0, 0)), map.unit);
    painter.restore();
}

// The frame's line, the graticule's labels, the title and the legend.
void PaintDecorations(QPainter& painter, const MapFrame& map, const MapScene& scene, int days, const MapStyle& style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kFrame, map.unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(map.layout.frame);
    DrawGraticuleLabels(painter, map.layout.frame, style, map.toFrame);
    if (style.title)
        DrawTitle(painter, map.layout.title, scene, days, style);
    if (style.legend)
        DrawLegend(painter, map.layout.legend, days, style, map.unit);
    painter.restore();
}

void CheckDays(const MapScene& scene, int days)
{
    if (days < 1 || days > scene.Map().DayLimit())
        throw orbit::OrbitError(orbit::ErrorKind::InvalidArgument, "No such number of days on this map");
}

}  // namespace

Viewport Viewport::Clamped() const
{
    Viewport view = *this;
    if (!(view.zoom >= 1))
        view.zoom = 1;
    view.zoom = std::min(view.zoom, kMaxZoom);
    const double halfWidth = view.WidthDeg() / 2, halfHeight = view.HeightDeg() / 2;
    view.centreLonDeg = std::clamp(std::isfinite(centreLonDeg) ? centreLonDeg : 0.0, -180 + halfWidth, 180 - halfWidth);
    view.centreLatDeg = std::clamp(std::isfinite(centreLatDeg) ? centreLatDeg : 0.0, -90 + halfHeight, 90 - halfHeight);
    return view;
}

std::vector<GraticuleLabel> GraticuleLabels(const QRectF& frame, const QFontMetricsF& metrics,
                                            const QTransform& toFrame)
{
    std::vector<GraticuleLabel> labels;
    if (frame.width() < 20 * metrics.averageCharWidth())
        return labels;
    const double pad = 0.3 * metrics.height();
    // A label that would run past the frame or into the one before it is
    // left out: on a small map every other meridian is named, or none.
    double takenToX = frame.left();
    for (double lon = -180 + kGraticuleStepDeg; lon < 180; lon += kGraticuleStepDeg) {
        const double x = toFrame.map(QPointF(lon, 0)).x();
        const QString text = DegreeLabel(lon, 'E', 'W');
        const double left = x + pad, right = left + metrics.horizontalAdvance(text);
        if (x <= frame.left() + pad || right > frame.right() - pad || left < takenToX + 2 * pad)
            continue;
        labels.push_back({QPointF(left, frame.bottom() - pad - metrics.descent()), text});
        takenToX = right;
    }
    double takenToY = frame.bottom() - metrics.height();  // above the meridians' labels
    for (double lat = -90 + kGraticuleStepDeg; lat < 90; lat += kGraticuleStepDeg) {
        const double y = toFrame.map(QPointF(0, lat)).y();
        const double baseline = y - pad - metrics.descent();
        if (y <= frame.top() + metrics.height() || y >= frame.bottom() - 2 * metrics.height() ||
            baseline + metrics.descent() > takenToY - pad)
            continue;
        labels.push_back({QPointF(frame.left() + pad, baseline), DegreeLabel(lat, 'N', 'S')});
        takenToY = baseline - metrics.ascent();
    }
    return labels;
}

MapLayout LayOutMap(const QRectF& target, const MapStyle& style, const QPaintDevice* device)
{
    const QFontMetricsF metrics(style.font, device);
    const QFontMetricsF titleMetrics(Scaled(style.font, 1.15, true), device);
    const double margin = style.title || style.legend ? 0.6 * metrics.height() : 0;
    QRectF free = target.adjusted(margin, margin, -margin, -margin);
    MapLayout layout;
    if (style.title) {
        layout.title = QRectF(free.left(), free.top(), free.width(), titleMetrics.height() + metrics.height());
        free.setTop(layout.title.bottom() + 0.5 * metrics.height());
    }
    if (style.legend) {
        const double height = 1.4 * metrics.height();
        layout.legend = QRectF(free.left(), free.bottom() - height, free.width(), height);
        free.setBottom(layout.legend.top() - 0.3 * metrics.height());
    }
    // The largest frame twice as wide as high, centred in what is left.
    const double width = std::max(0.0, std::min(free.width(), 2 * free.height()));
    layout.frame = QRectF(free.center().x() - width / 2, free.center().y() - width / 4, width, width / 2);
    return layout;
}

QTransform DegreesToFrame(const QRectF& frame, const Viewport& view)
{
    const double scale = frame.width() / view.WidthDeg();
    const double westDeg = view.centreLonDeg - view.WidthDeg() / 2;
    const double northDeg = view.centreLatDeg + view.HeightDeg() / 2;
    return QTransform(scale, 0, 0, -frame.height() / view.HeightDeg(), frame.left() - westDeg * scale,
                      frame.top() + northDeg * frame.height() / view.HeightDeg());
}

std::optional<LonLat> LonLatAt(const QRectF& frame, const Viewport& view, QPointF point)
{
    if (frame.isEmpty() || !frame.contains(point))
        return std::nullopt;
    const QPointF degrees = DegreesToFrame(frame, view).inverted().map(point);
    return LonLat{std::clamp(degrees.x(), -180.0, 180.0), std::clamp(degrees.y(), -90.0, 90.0)};
}

void DrawGroundTrackMap(QPainter& painter, const QRectF& target, const MapScene& scene, int days,
                        const Viewport& view, const MapStyle& style)
{
    CheckDays(scene, days);
    const MapFrame map = FrameOf(target, view, style, painter.device());
    PaintBase(painter, target, map, scene.World());
    PaintTracks(painter, target, map, scene, days);
    PaintDecorations(painter, map, scene, days, style);
}

void PaintMapBase(QImage& image, const QRectF& target, const WorldShapes& world, const Viewport& view,
                  const MapStyle& style, int strips)
{
    const MapFrame map = FrameOf(target, view, style, &image);
    PaintInStrips(image, [&](QPainter& painter) { PaintBase(painter, target, map, world); }, strips);
}

void PaintMapOverlay(QImage& image, const QRectF& target, const MapScene& scene, int days, const Viewport& view,
                     const MapStyle& style, int strips, const QImage* base)
{
    CheckDays(scene, days);
    const MapFrame map = FrameOf(target, view, style, &image);
    scene.Prepare(days, DetailOf(image, map.layout.frame, map.shown));
    PaintInStrips(image, [&](QPainter& painter) { PaintTracks(painter, target, map, scene, days); }, strips, base);
    QPainter painter(&image);
    PaintDecorations(painter, map, scene, days, style);
}

}  // namespace world_map
