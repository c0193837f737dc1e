#pragma once
// Window geometry is designed in twips: 1440 to the inch, so 15 to the pixel
// on a 96 dpi screen. Converting with the screen's logical dpi keeps the
// window in proportion with its point-sized fonts on any screen.

#include <QPoint>
#include <QRect>

namespace platform {

struct Dpi {
    double x = 96.0;
    double y = 96.0;
};

// The logical dpi of the primary screen (96 when there is none).
Dpi ScreenDpi();

// Edges are rounded rather than sizes, so controls that touch in the design
// still touch at every dpi.
QRect TwipsToPixels(int left, int top, int width, int height, Dpi dpi);
QPoint TwipsToPixels(int x, int y, Dpi dpi);

// A pen width or distance given in pixels at 96 dpi, scaled to the screen.
int ScaledPixels(int pixelsAt96, Dpi dpi);

}  // namespace platform
