#include "map_qt/map_painter.h"

#include "core/orbit_error.h"
#include "map/day_colours.h"
#include "map_qt/strip_painting.h"
#include "map/simplify.h"
#include "map/world.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace world_map {

namespace {

const QColor kGraticule(110, 128, 146, 90);
const QColor kFrame(90, 100, 112);
const QColor kLabel(90, 100, 112);
constexpr int kSwathAlpha = 56;
constexpr double kGraticuleStepDeg = 30;
// Beyond this many days the legend shows one bar of all the days' colours.
constexpr int kLegendEntriesMax = 10;
// Night: a blue-black veil over land and sea, darker again past civil
// twilight, so the twilight shows as a lighter band.
const QColor kNight(12, 20, 48, 72);
const QColor kDeepNight(12, 20, 48, 56);
const QColor kTerminator(40, 44, 80, 170);
const QColor kSunFill(255, 204, 40);
const QColor kSunRim(196, 112, 0);
const QColor kSatellite(200, 30, 30);
// The track passed in the dark: thinner than the lit track and a little faded.
constexpr double kDarkTrackWidth = 0.45;
constexpr int kDarkTrackAlpha = 190;

// The shifts by whole turns at which a copy of the world reaches into the
// view: the map wraps round in longitude.
std::vector<double> CopiesInView(const Viewport& view)
{
    const double west = view.centreLonDeg - view.WidthDeg() / 2, east = view.centreLonDeg + view.WidthDeg() / 2;
    std::vector<double> shifts;
    const int first = static_cast<int>(std::floor((west - 180) / 360)) + 1;
    const int last = static_cast<int>(std::ceil((east + 180) / 360)) - 1;
    for (int k = first; k <= last; ++k)
        shifts.push_back(360.0 * k);
    return shifts;
}

// Qt's SVG writer leaves clipping out, so a drawing for it is cut at the
// frame by the shapes themselves; a raster painter clips by itself.
bool ClipsItself(const QPainter& painter)
{
    return painter.paintEngine() == nullptr || painter.paintEngine()->type() != QPaintEngine::SVG;
}

// The frame in the painter's present coordinates.
QRectF FrameInUser(const QPainter& painter, const QRectF& frame)
{
    return painter.transform().inverted().mapRect(frame);
}

void DrawPathInFrame(QPainter& painter, const QPainterPath& path, const QRectF& frame)
{
    if (ClipsItself(painter)) {
        painter.drawPath(path);
        return;
    }
    const QRectF clip = FrameInUser(painter, frame);
    const QRectF bounds = path.controlPointRect();
    if (!bounds.intersects(clip))
        return;
    if (clip.contains(bounds)) {
        painter.drawPath(path);
        return;
    }
    QPainterPath box;
    box.addRect(clip);
    painter.drawPath(path.intersected(box));
}

// The part of a segment inside `clip` (Liang-Barsky), if any.
std::optional<QLineF> ClippedLine(const QLineF& line, const QRectF& clip)
{
    double from = 0, to = 1;
    const double dx = line.dx(), dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - clip.left(), clip.right() - line.x1(), line.y1() - clip.top(),
                         clip.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            from = std::max(from, r);
        else
            to = std::min(to, r);
        if (from > to)
            return std::nullopt;
    }
    return QLineF(line.pointAt(from), line.pointAt(to));
}

void DrawLinesInFrame(QPainter& painter, const std::vector<QLineF>& lines, const QRectF& frame)
{
    if (ClipsItself(painter)) {
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        return;
    }
    const QRectF clip = FrameInUser(painter, frame);
    std::vector<QLineF> inside;
    inside.reserve(lines.size());
    for (const QLineF& line : lines)
        if (const std::optional<QLineF> part = ClippedLine(line, clip))
            inside.push_back(*part);
    painter.drawLines(inside.data(), static_cast<int>(inside.size()));
}

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
    if (whole == 0 || whole == 180)
        return QStringLiteral("%1\u00b0").arg(whole);
    return QStringLiteral("%1\u00b0%2").arg(whole).arg(QChar(deg > 0 ? positive : negative));
}

void DrawNodeMark(QPainter& painter, QPointF at, double unit)
{
    painter.setPen(QPen(palette::kText, 1.4 * unit));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 4 * unit, 4 * unit);
}

void DrawSunMark(QPainter& painter, QPointF at, double unit)
{
    painter.save();
    painter.setPen(QPen(kSunRim, 1.2 * unit, Qt::SolidLine, Qt::RoundCap));
    for (int ray = 0; ray < 8; ++ray) {
        const double angle = ray * 3.14159265358979323846 / 4;
        const QPointF direction(std::cos(angle), std::sin(angle));
        painter.drawLine(at + 6.5 * unit * direction, at + 9.5 * unit * direction);
    }
    painter.setBrush(kSunFill);
    painter.drawEllipse(at, 5 * unit, 5 * unit);
    painter.restore();
}

void DrawSatelliteMark(QPainter& painter, QPointF at, double unit)
{
    painter.save();
    painter.setPen(QPen(Qt::white, 1.2 * unit));
    painter.setBrush(kSatellite);
    const double r = 5 * unit;
    const QPointF diamond[4] = {at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r), at + QPointF(-r, 0)};
    painter.drawPolygon(diamond, 4);
    painter.restore();
}

// The graticule's meridians within the view, every step, east of `westDeg`.
std::vector<double> MeridiansInView(const Viewport& view)
{
    std::vector<double> meridians;
    const double west = view.centreLonDeg - view.WidthDeg() / 2, east = view.centreLonDeg + view.WidthDeg() / 2;
    for (double lon = std::ceil(west / kGraticuleStepDeg) * kGraticuleStepDeg; lon <= east; lon += kGraticuleStepDeg)
        meridians.push_back(lon);
    return meridians;
}

void DrawGraticuleLabels(QPainter& painter, const QRectF& frame, const MapStyle& style, const QTransform& toFrame,
                         const Viewport& view)
{
    painter.setFont(Scaled(style.font, 0.8));
    painter.setPen(kLabel);
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const GraticuleLabel& label : GraticuleLabels(frame, metrics, toFrame, view))
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
    QString subtitle = QString::fromStdString(scene.Map().Subtitle(days));
    if (const std::optional<NightShapes>& night = scene.Night(); night && scene.Map().Design().epoch)
        subtitle += QStringLiteral("; day and night at %1")
                        .arg(QString::fromStdString(
                            scene.Map().Design().epoch->epoch.PlusSeconds(night->secondsAfterStart).IsoUtc(0)));
    painter.drawText(QPointF(area.left(), area.top() + titleMetrics.height() + metrics.ascent()),
                     metrics.elidedText(subtitle, Qt::ElideRight, area.width()));
}

void DrawLegend(QPainter& painter, const QRectF& area, const MapScene& scene, int days, const MapStyle& style,
                double unit)
{
    painter.save();
    painter.setClipRect(area);
    painter.setFont(style.font);
    const QFontMetricsF metrics(style.font, painter.device());
    const double baseline = area.center().y() + 0.5 * (metrics.ascent() - metrics.descent());
    const double middle = area.center().y();
    const double gap = metrics.averageCharWidth();
    double x = area.left();

    // The credit is owed: it comes first, and the entries stop short of it.
    const QString credit = QString::fromUtf8(kLandCredit);
    const double creditLeft = area.right() - metrics.horizontalAdvance(credit);
    painter.setPen(kLabel);
    painter.drawText(QPointF(creditLeft, baseline), credit);
    const double limit = creditLeft - 2 * gap;
    const auto fits = [&](double width) { return x + width <= limit; };
    const auto entry = [&](double markWidth, const QString& text, const std::function<void(QPointF)>& mark) {
        const double width = markWidth + 0.5 * gap + metrics.horizontalAdvance(text);
        if (!fits(width))
            return false;
        mark(QPointF(x + markWidth / 2, middle));
        x += markWidth + 0.5 * gap;
        painter.setPen(palette::kText);
        painter.drawText(QPointF(x, baseline), text);
        x += metrics.horizontalAdvance(text) + 2 * gap;
        return true;
    };

    bool room = true;
    if (days <= kLegendEntriesMax) {
        const double swatch = 2.2 * metrics.averageCharWidth();
        for (int day = 0; day < days && room; ++day)
            room = entry(swatch, QStringLiteral("Day %1").arg(day), [&](QPointF at) {
                painter.setPen(QPen(ColourOf(DayColour(day, days)), 2.5 * unit, Qt::SolidLine, Qt::FlatCap));
                painter.drawLine(at - QPointF(swatch / 2, 0), at + QPointF(swatch / 2, 0));
            });
    } else if (const double block = std::max(2.0, 12 * metrics.averageCharWidth() / days);
               fits(metrics.horizontalAdvance(QStringLiteral("Day 0")) + days * block + 2 * gap +
                    metrics.horizontalAdvance(QStringLiteral("Day %1").arg(days - 1)))) {
        painter.setPen(palette::kText);
        painter.drawText(QPointF(x, baseline), QStringLiteral("Day 0"));
        x += metrics.horizontalAdvance(QStringLiteral("Day 0")) + gap;
        const double height = 0.6 * metrics.height();
        for (int day = 0; day < days; ++day)
            painter.fillRect(QRectF(x + day * block, middle - height / 2, block + 0.5, height),
                             ColourOf(DayColour(day, days)));
        x += days * block + gap;
        painter.drawText(QPointF(x, baseline), QStringLiteral("Day %1").arg(days - 1));
        x += metrics.horizontalAdvance(QStringLiteral("Day %1").arg(days - 1)) + 2 * gap;
    } else {
        room = false;
    }
    if (room)
        room = entry(8 * unit, QStringLiteral("Day 0's first ascending node"),
                     [&](QPointF at) { DrawNodeMark(painter, at, unit); });
    if (room && scene.Map().HasEpoch()) {
        const double swatch = 2.2 * metrics.averageCharWidth();
        room = entry(swatch, QStringLiteral("Thin: passed in the dark"), [&](QPointF at) {
            painter.setPen(QPen(palette::kText, std::max(1.0, kDarkTrackWidth * 1.5 * unit)));
            painter.drawLine(at - QPointF(swatch / 2, 0), at + QPointF(swatch / 2, 0));
        });
    }
    if (room && scene.Night()) {
        room = entry(19 * unit, QStringLiteral("Sun overhead"), [&](QPointF at) { DrawSunMark(painter, at, unit); });
        if (room)
            entry(10 * unit, QStringLiteral("Satellite"), [&](QPointF at) { DrawSatelliteMark(painter, at, unit); });
    }
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
void DrawSwaths(QPainter& painter, const QRectF& target, const QRectF& frame, const std::vector<QTransform>& copies,
                const MapScene& scene, int days, int detail)
{
    if (!(scene.SwathKm() > 0))
        return;
    painter.setPen(Qt::NoPen);
    const bool image = painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster;
    if (!image) {
        for (int day = days - 1; day >= 0; --day) {
            painter.setBrush(ColourOf(DayColour(day, days), kSwathAlpha));
            const QPainterPath area = scene.SwathArea(day, detail);
            for (const QTransform& copy : copies)
                DrawPathInFrame(painter, copy.map(area), frame);
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
        QPen edge(colour, 1);
        edge.setCosmetic(true);
        for (const QTransform& copy : copies) {
            layerPainter.save();
            layerPainter.setTransform(copy, true);
            layerPainter.setPen(Qt::NoPen);
            layerPainter.setBrush(colour);
            for (const QPolygonF& ring : rings)
                layerPainter.drawPolygon(ring, Qt::WindingFill);
            layerPainter.setRenderHint(QPainter::Antialiasing);
            layerPainter.setPen(edge);
            layerPainter.setBrush(Qt::NoBrush);
            for (const QPolygonF& ring : rings)
                layerPainter.drawPolygon(ring);
            layerPainter.restore();
        }
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
    // Degrees to the frame for each copy of the world in view, a turn apart.
    std::vector<QTransform> copies;
    double unit;
};

MapFrame FrameOf(const QRectF& target, const Viewport& view, const MapStyle& style, const QPaintDevice* device)
{
    MapFrame map{LayOutMap(target, style, device), view.Clamped(), {}, {}, LineUnit(style, device)};
    map.toFrame = DegreesToFrame(map.layout.frame, map.shown);
    for (const double shift : CopiesInView(map.shown))
        map.copies.push_back(QTransform::fromTranslate(shift, 0) * map.toFrame);
    return map;
}

// Lines in degrees drawn in frame coordinates in every copy of the world.
void DrawCopiedLines(QPainter& painter, const std::vector<QLineF>& lines, const MapFrame& map,
                     std::vector<QLineF>& scratch)
{
    for (const QTransform& copy : map.copies) {
        scratch.resize(lines.size());
        std::transform(lines.begin(), lines.end(), scratch.begin(), [&](const QLineF& line) { return copy.map(line); });
        DrawLinesInFrame(painter, scratch, map.layout.frame);
    }
}

// A place drawn in the copy of the world nearest the view's centre.
QPointF PlaceInFrame(const MapFrame& map, const LonLat& place)
{
    const double lon = map.shown.centreLonDeg + std::remainder(place.lonDeg - map.shown.centreLonDeg, 360.0);
    return map.toFrame.map(QPointF(lon, place.latDeg));
}

// Night over land and sea, the terminator, as one path for all the copies of
// the world so that the copies meet without a seam.
void DrawNight(QPainter& painter, const MapFrame& map, const NightShapes& night)
{
    const QRectF& frame = map.layout.frame;
    const auto area = [&](const std::vector<QPolygonF>& rings) {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (const QTransform& copy : map.copies)
            for (const QPolygonF& ring : rings) {
                path.addPolygon(copy.map(ring));
                path.closeSubpath();
            }
        return path;
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNight);
    DrawPathInFrame(painter, area(night.night), frame);
    painter.setBrush(kDeepNight);
    DrawPathInFrame(painter, area(night.deepNight), frame);
    std::vector<QLineF> lines, scratch;
    for (const QPolygonF& line : night.terminator)
        for (qsizetype i = 1; i < line.size(); ++i)
            lines.emplace_back(line[i - 1], line[i]);
    QPen pen(kTerminator, map.unit, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    DrawCopiedLines(painter, lines, map, scratch);
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
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::kLand);
    for (const WorldShapes::LandPolygon& rings : world.Land(DetailOf(*painter.device(), frame, map.shown))) {
        // This painter's own path (see WorldShapes::Land), every copy of the
        // polygon in it, so that a coast cut at the map's edge meets its
        // other half without a seam where the world wraps round.
        QPainterPath polygon;
        polygon.setFillRule(Qt::OddEvenFill);
        for (const QTransform& copy : map.copies)
            for (const QPolygonF& ring : rings) {
                polygon.addPolygon(copy.map(ring));
                polygon.closeSubpath();
            }
        DrawPathInFrame(painter, polygon, frame);
    }

    painter.setPen(QPen(kGraticule, 0.8 * map.unit, Qt::SolidLine, Qt::FlatCap));
    std::vector<QLineF> graticule;
    for (const double lon : MeridiansInView(map.shown))
        graticule.push_back(map.toFrame.map(QLineF(lon, -90, lon, 90)));
    const double west = map.shown.centreLonDeg - map.shown.WidthDeg() / 2;
    for (double lat = -90 + kGraticuleStepDeg; lat < 90; lat += kGraticuleStepDeg)
        graticule.push_back(map.toFrame.map(QLineF(west, lat, west + map.shown.WidthDeg(), lat)));
    DrawLinesInFrame(painter, graticule, frame);
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
    if (scene.Night())
        DrawNight(painter, map, *scene.Night());
    DrawSwaths(painter, target, frame, map.copies, scene, days, detail);
    // Later days first, so that day 0, the reference, lies on top. Past ten
    // days the lines are one device pixel wide: the map is dense with them,
    // and such a line is drawn several times faster than a wider one.
    QPen trackPen(Qt::black, 1.5 * map.unit, Qt::SolidLine, Qt::SquareCap);
    if (days > kLegendEntriesMax) {
        trackPen.setWidthF(1);
        trackPen.setCosmetic(true);
    }
    QPen darkPen = trackPen;
    darkPen.setWidthF(trackPen.isCosmetic() ? 1 : std::max(1.0, kDarkTrackWidth * trackPen.widthF()));
    std::vector<QLineF> scratch;
    for (int day = days - 1; day >= 0; --day) {
        const DayShapes& shapes = scene.Day(day, detail);
        QColor colour = ColourOf(DayColour(day, days));
        trackPen.setColor(colour);
        painter.setPen(trackPen);
        DrawCopiedLines(painter, shapes.track, map, scratch);
        colour.setAlpha(kDarkTrackAlpha);
        darkPen.setColor(colour);
        painter.setPen(darkPen);
        DrawCopiedLines(painter, shapes.darkTrack, map, scratch);
    }
    // The marks only where their centre is in the frame: a drawing that
    // cannot clip would show them over the margin.
    const auto mark = [&](const LonLat& place, void (*draw)(QPainter&, QPointF, double)) {
        const QPointF at = PlaceInFrame(map, place);
        if (frame.contains(at))
            draw(painter, at, map.unit);
    };
    mark(scene.Map().SatelliteAt(0), DrawNodeMark);
    if (const std::optional<NightShapes>& night = scene.Night()) {
        mark(night->subSolar, DrawSunMark);
        mark(night->satellite, DrawSatelliteMark);
    }
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
    DrawGraticuleLabels(painter, map.layout.frame, style, map.toFrame, map.shown);
    if (style.title)
        DrawTitle(painter, map.layout.title, scene, days, style);
    if (style.legend)
        DrawLegend(painter, map.layout.legend, scene, days, style, map.unit);
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
    const double halfHeight = view.HeightDeg() / 2;
    // The map wraps round in longitude: any meridian may be the centre.
    view.centreLonDeg = std::isfinite(centreLonDeg) ? WrapDeg(centreLonDeg) : 0.0;
    view.centreLatDeg = std::clamp(std::isfinite(centreLatDeg) ? centreLatDeg : 0.0, -90 + halfHeight, 90 - halfHeight);
    return view;
}

std::vector<GraticuleLabel> GraticuleLabels(const QRectF& frame, const QFontMetricsF& metrics,
                                            const QTransform& toFrame, const Viewport& view)
{
    std::vector<GraticuleLabel> labels;
    if (frame.width() < 20 * metrics.averageCharWidth())
        return labels;
    const double pad = 0.3 * metrics.height();
    // A label that would run past the frame or into the one before it is
    // left out: on a small map every other meridian is named, or none.
    double takenToX = frame.left();
    // The map wraps round: a meridian past 180 is named as the one it is.
    for (const double lon : MeridiansInView(view)) {
        const double x = toFrame.map(QPointF(lon, 0)).x();
        const QString text = DegreeLabel(WrapDeg(lon), 'E', 'W');
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
    return LonLat{WrapDeg(degrees.x()), std::clamp(degrees.y(), -90.0, 90.0)};
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
