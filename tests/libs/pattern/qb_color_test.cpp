#include "pattern/qb_color.h"

#include "core/orbit_error.h"
#include "pattern/drawing_surface.h"

#include <gtest/gtest.h>

namespace {

using pattern::Rgb;

TEST(QBColor, GivesTheSixteenColourPalette)
{
    struct {
        int index;
        Rgb colour;
    } const cases[] = {{0, {0, 0, 0}},       {1, {0, 0, 128}},     {4, {128, 0, 0}},
                       {7, {192, 192, 192}}, {8, {128, 128, 128}}, {9, {0, 0, 255}},
                       {12, {255, 0, 0}},    {14, {255, 255, 0}},  {15, {255, 255, 255}}};
    for (const auto& c : cases) {
        EXPECT_EQ(pattern::QBColor(c.index), c.colour) << c.index;
        EXPECT_EQ(pattern::DrawingSurface::QBColor(c.index), c.colour) << c.index;
    }
}

TEST(QBColor, RejectsIndicesOutsideThePalette)
{
    for (int index : {-1, 16, 1000})
        EXPECT_THROW(pattern::QBColor(index), orbit::OrbitError) << index;
}

}  // namespace
