#pragma once
// The colours of the days on the map: a perceptual colour map, so that the
// step from one day to the next looks alike along the whole range and the
// days read in order even in grey. Lightness climbs evenly in CIELAB from a
// deep blue-violet through teal and green to orange, staying dark enough to
// show on the pale land and sea.

#include <cstdint>

namespace world_map {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour at `position` along the map, 0 (first) to 1 (last); outside that
// range the nearest end.
Rgb ColourMapAt(double position);

// The colour of day `day` of `days` shown: the first and the last day take
// the two ends, the others are spread evenly between.
Rgb DayColour(int day, int days);

// CIELAB lightness (0 black ... 100 white) of an sRGB colour.
double Lightness(Rgb colour);

}  // namespace world_map
