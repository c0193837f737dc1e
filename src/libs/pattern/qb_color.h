#pragma once
// Colours as the drawing surface takes them: 24-bit red, green, blue, and the
// standard 16-colour palette the pattern's scale bars are chosen from.

#include <cstdint>

namespace pattern {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour of palette index 0 ... 15 (index 12 is light red, 255 0 0).
// Any other index is an invalid argument and throws orbit::OrbitError.
Rgb QBColor(int paletteIndex);

}  // namespace pattern
