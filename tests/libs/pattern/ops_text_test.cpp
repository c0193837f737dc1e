#include "pattern/ops_text.h"

#include "core/repeat_orbit_solver.h"
#include "pattern/pattern_drawing.h"
#include "pattern/recording_surface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(FloatText, IsTheShortestTextThatReadsBackAsTheSameFloat)
{
    struct {
        float value;
        const char* text;
    } const cases[] = {{25.0f, "25"}, {1.0f, "1"}, {0.1f, "0.1"}, {-3.5f, "-3.5"}, {33.0f, "33"},
                       {18.302326f, "18.302326"}, {1e20f, "1e+20"}};
    for (const auto& c : cases)
        EXPECT_EQ(pattern::FloatText(c.value), c.text);

    for (float value : {18.302325f, 4.9069767f, 1.0f / 3.0f, std::numeric_limits<float>::max(),
                        std::numeric_limits<float>::denorm_min(), -45.093025f}) {
        const std::string text = pattern::FloatText(value);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
        // Dropping the last digit must no longer read back the same.
        if (text.size() > 2 && text.find('e') == std::string::npos && text.find('.') != std::string::npos) {
            EXPECT_NE(std::strtof(text.substr(0, text.size() - 1).c_str(), nullptr), value) << text;
        }
    }
}

TEST(ColourText, IsLowerCaseHex)
{
    EXPECT_EQ(pattern::ColourText({255, 0, 0}), "#ff0000");
    EXPECT_EQ(pattern::ColourText({1, 171, 205}), "#01abcd");
}

TEST(OpsText, WritesEachOperationOnItsOwnLine)
{
    pattern::RecordingSurface surface;
    surface.Show();
    surface.DrawWidth(2);
    surface.Line(1, 2.5f, 3, 4, std::nullopt);
    surface.Line(25, 35, 45.09302f, 35, pattern::Rgb{255, 0, 0});
    surface.CurrentX(10.5f);
    surface.CurrentY(37);
    surface.Print("Orbit spacing 25.12 degrees");
    surface.CurrentY(4);  // only y changes: x is the left edge after printing
    surface.Print(3);
    surface.CurrentX(7);  // a position set last is still written
    const std::vector<std::string> expected = {"show",
                                               "width 2",
                                               "line 1 2.5 3 4",
                                               "line 25 35 45.09302 35 #ff0000",
                                               "pos 10.5 37",
                                               "print \"Orbit spacing 25.12 degrees\"",
                                               "pos 0 4",
                                               "print \" 3 \"",
                                               "pos 7 4"};
    EXPECT_EQ(Lines(pattern::OpsText(surface.Ops())), expected);
}

}  // namespace
