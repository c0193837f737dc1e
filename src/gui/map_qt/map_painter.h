#pragma once
// The one drawing of the ground track map, on any painter: the window's
// picture, the PNG and the SVG all come from here.
//
// The picture: a title (the design, then the days and the swath), the map
// frame with the sea, the land, a graticule every 30 degrees, each day's
// swath as a translucent band and its track in the day's colour, day 0's
// first ascending node marked; under it a legend of the days and the credit
// for the land. With an epoch the longitudes are true, the track is thinner
// where it is passed in the dark, and the scene's night (when set) veils
// the dark side with the terminator, the Sun overhead and the satellite. Everything is drawn as vector shapes and text, so it stays
// sharp at any device pixel ratio and an SVG stays a drawing.

#include "map/map_geometry.h"
#include "map_qt/map_scene.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <optional>
#include <vector>

class QImage;
class QPainter;
class QPaintDevice;

namespace world_map {

inline constexpr double kMaxZoom = 32;

// The part of the world the frame shows: twice as wide as high in degrees,
// like the frame, so a degree is as wide as it is high.
struct Viewport {
    double centreLonDeg = 0;
    double centreLatDeg = 0;
    double zoom = 1;  // 1: the whole world

    double WidthDeg() const { return 360 / zoom; }
    double HeightDeg() const { return 180 / zoom; }
    // The same view held on the map: the zoom within [1, kMaxZoom], the
    // centre's latitude moved so that neither the top nor the bottom of the
    // view passes a pole, its longitude brought into (-180, 180]: the map
    // wraps round, so the Pacific can lie in the middle.
    Viewport Clamped() const;

    friend bool operator==(const Viewport&, const Viewport&) = default;
};

struct MapStyle {
    QFont font;  // text; the title and legend take their sizes from it
    bool title = true;
    bool legend = true;
};

struct MapLayout {
    QRectF title, frame, legend;
};

// Where the parts go in `target`; text measured on `device`.
MapLayout LayOutMap(const QRectF& target, const MapStyle& style, const QPaintDevice* device);

// The graticule's labels in the frame: where each is written (its baseline's
// start) and its text. Only labels that fit are kept: each lies inside the
// frame and clear of the others, so a small map names fewer meridians.
struct GraticuleLabel {
    QPointF baseline;
    QString text;
};
// `view` says which meridians are in sight (the whole world by default).
std::vector<GraticuleLabel> GraticuleLabels(const QRectF& frame, const QFontMetricsF& metrics,
                                            const QTransform& toFrame, const Viewport& view = {});

// Degrees (x = longitude, y = latitude) to the frame's coordinates.
QTransform DegreesToFrame(const QRectF& frame, const Viewport& view);

// The place on the Earth under `point`, when it lies in the frame; its
// longitude in (-180, 180].
std::optional<LonLat> LonLatAt(const QRectF& frame, const Viewport& view, QPointF point);

// Draws days 0 ... days-1 of `scene` into `target`. Throws orbit::OrbitError
// for a day count outside 1 ... DayLimit().
void DrawGroundTrackMap(QPainter& painter, const QRectF& target, const MapScene& scene, int days,
                        const Viewport& view, const MapStyle& style);

// The same drawn into an image on every core, in two layers so that a
// widget can keep the first: the base (paper, sea, land, graticule), which
// depends only on the size and the view, and the overlay (swaths, tracks,
// marks, labels, title, legend), laid on `base` when given (an image of the
// same size and format), else on the image itself. Painted in `strips`
// strips (0: as many as strip_painting.h's StripCount gives): the same
// picture as DrawGroundTrackMap's in a fraction of the time.
void PaintMapBase(QImage& image, const QRectF& target, const WorldShapes& world, const Viewport& view,
                  const MapStyle& style, int strips = 0);
void PaintMapOverlay(QImage& image, const QRectF& target, const MapScene& scene, int days, const Viewport& view,
                     const MapStyle& style, int strips = 0, const QImage* base = nullptr);

// The colours of the picture, for those who look at its pixels.
namespace palette {
inline const QColor kPaper(255, 255, 255);
inline const QColor kSea(233, 240, 246);
inline const QColor kLand(217, 212, 197);
inline const QColor kText(48, 48, 48);
}  // namespace palette

}  // namespace world_map
