#pragma once
// The pattern of a design as a picture a user can keep: the window's client
// area (749 x 270 pixels at 96 dots per inch, user coordinates (0, 0)-(50, 40))
// on a white background with black text, magnified by `scale`.
// Needs a QGuiApplication (any platform, offscreen included).

#include "core/repeat_orbit_solver.h"

#include <QImage>
#include <QString>

namespace pattern {

// Throws orbit::OrbitError for a scale outside [kMinPictureScale, kMaxPictureScale] or when the pattern
// cannot be drawn ("Overflow", ...).
QImage RenderPatternImage(const orbit::DesignRecord& design, double scale = 1);

// Write the picture to a file. Nothing is written when drawing fails, and an
// existing file is replaced only by a complete picture. Throws
// orbit::OrbitError, also when the file cannot be written.
void WritePatternPng(const orbit::DesignRecord& design, const QString& path, double scale = 1);
void WritePatternSvg(const orbit::DesignRecord& design, const QString& path, double scale = 1);

}  // namespace pattern
