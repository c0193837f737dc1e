#pragma once
// A drawing surface over an open QPainter: the picture is drawn straight onto
// the painter's device (an image or an SVG file), as the window would show it.

#include "pattern/drawing_surface.h"
#include "pattern_qt/picture_canvas.h"

class QPainter;

namespace pattern {

class PainterSurface : public DrawingSurface {
public:
    // The painter must stay open while the surface is drawn on.
    PainterSurface(QPainter& painter, PictureCanvas canvas);

    using DrawingSurface::Print;
    // The device is there already; nothing to load or show.
    void Show() override {}
    void DrawWidth(int widthPx) override { canvas_.DrawWidth(widthPx); }
    void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour) override;
    void CurrentX(float x) override { canvas_.CurrentX(x); }
    void CurrentY(float y) override { canvas_.CurrentY(y); }
    void Print(const std::string& text) override;

    PictureCanvas& Canvas() { return canvas_; }

private:
    QPainter& painter_;
    PictureCanvas canvas_;
};

}  // namespace pattern
