#pragma once
// A drawing surface that keeps the operations it receives, in order, so a
// picture can be checked or written out as text without any window.

#include "pattern/drawing_surface.h"

#include <vector>

namespace pattern {

struct DrawOp {
    enum class Kind { Show, DrawWidth, Line, CurrentX, CurrentY, Print };

    Kind kind = Kind::Show;
    int widthPx = 0;                 // DrawWidth
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line; CurrentX / CurrentY use x1
    std::optional<Rgb> colour;       // Line; none is the foreground colour
    std::string text;                // Print
};

class RecordingSurface : public DrawingSurface {
public:
    using DrawingSurface::Print;

    void Show() override;
    void DrawWidth(int widthPx) override;
    void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour) override;
    void CurrentX(float x) override;
    void CurrentY(float y) override;
    void Print(const std::string& text) override;

    const std::vector<DrawOp>& Ops() const { return ops_; }

private:
    std::vector<DrawOp> ops_;
};

}  // namespace pattern
