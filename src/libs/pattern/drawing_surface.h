#pragma once
// What the pattern display draws on: exactly the operations of the
// "Relative Ground Tracks" window. The same drawing then goes to the window,
// to a recording, or to an image file. Coordinates are 32-bit floats in the
// surface's user coordinate system.

#include "core/number_text.h"
#include "pattern/qb_color.h"

#include <optional>
#include <string>

namespace pattern {

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Makes the surface visible, loading it first when it is not loaded.
    virtual void Show() = 0;
    // Pen width in pixels of the lines drawn afterwards.
    virtual void DrawWidth(int widthPx) = 0;
    // A straight line in `colour`, or in the foreground colour when none is given.
    virtual void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour) = 0;
    // Where the next printed text has its top-left corner.
    virtual void CurrentX(float x) = 0;
    virtual void CurrentY(float y) = 0;
    // Writes the text at the current position and moves to the next text line.
    virtual void Print(const std::string& text) = 0;

    // A number prints with its sign place and a trailing blank: " 3 ".
    void Print(long long number) { Print(orbit::PrintedNumberText(number)); }

    static Rgb QBColor(int paletteIndex) { return pattern::QBColor(paletteIndex); }
};

}  // namespace pattern
