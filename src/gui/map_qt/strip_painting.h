#pragma once
// One picture painted on several cores at once. The image's rows are cut into
// horizontal strips, and each strip is painted by its own painter on its own
// thread. A strip's painter works in the whole image's coordinates, so a
// drawing need not know it was cut.
//
// Each strip is painted into an image of its own that starts as a copy of the
// image's rows and reaches a few rows past its share on either side; only its
// share is then copied back. The rasteriser treats the rows next to a
// device's edge differently (an antialiased rectangle that starts above the
// top can leave the bottom row unfilled, a one-pixel line ends a pixel early
// or late where it is clipped), so the edges a strip adds must fall outside
// what it keeps.
//
// The drawing runs on several threads at once, so it may only read what it
// shares, and draws shapes and images but no text: fonts are measured on the
// caller's thread beforehand, and text is drawn there afterwards.

#include <functional>

class QImage;
class QPainter;

namespace world_map {

// `strips`: how many; 0 for StripCount(image.height()). `start`, when given,
// is what is painted on instead of the image's own pixels: a picture of the
// same size whose copy the image becomes, paint included.
void PaintInStrips(QImage& image, const std::function<void(QPainter&)>& paint, int strips = 0,
                   const QImage* start = nullptr);

// How many strips an image `rows` device pixels high is cut into here.
int StripCount(int rows);

}  // namespace world_map
