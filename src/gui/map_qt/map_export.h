#pragma once
// The ground track map as a picture a user can keep, drawn as the window
// draws it. Needs a QGuiApplication (any platform, offscreen included).

#include "map_qt/map_painter.h"
#include "map_qt/map_scene.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace world_map {

inline const QSize kDefaultPictureSize(1600, 800);
inline const QSize kMinPictureSize(320, 160);
inline const QSize kMaxPictureSize(8000, 4000);

// The text of a picture of `size`: its height in pixels sets the size, the
// same on every machine.
QFont PictureFont(QSize size);

// Throws orbit::OrbitError (Usage) for a size outside kMinPictureSize ...
// kMaxPictureSize, and for a day count the map does not offer.
QImage RenderMapImage(const MapScene& scene, int days, QSize size, const Viewport& view = {});

// Write the picture to a file. Nothing is written when drawing fails, and an
// existing file is replaced only by a complete picture. Throws
// orbit::OrbitError, also when the file cannot be written.
void WriteMapPng(const MapScene& scene, int days, const QString& path, QSize size = kDefaultPictureSize,
                 const Viewport& view = {});
void WriteMapSvg(const MapScene& scene, int days, const QString& path, QSize size = kDefaultPictureSize,
                 const Viewport& view = {});

}  // namespace world_map
