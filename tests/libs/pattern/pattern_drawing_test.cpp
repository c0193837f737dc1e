#include "pattern/pattern_drawing.h"

#include "core/orbit_error.h"
#include "core/repeat_orbit_solver.h"
#include "pattern/recording_surface.h"
#include "tests/libs/pattern/solved_design.h"
#include "tests/support/error_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using pattern_test::Design;
using orbit::DesignRecord;
using orbit::OrbitType;
using pattern::DrawOp;
using Kind = pattern::DrawOp::Kind;

// One labelled day line: its x and the printed label with its position.
struct DayLine {
    float x;
    float labelX, labelY;
    std::string label;
};

struct Picture {
    std::vector<DayLine> days;
    std::vector<DrawOp> barLines;
    std::vector<DrawOp> barLabels;  // Print ops, x1/y1 hold the position
};

// Reads the recorded operations back into the parts of the pattern, checking
// the order of the steps as it goes.
Picture Parse(const std::vector<DrawOp>& ops)
{
    Picture picture;
    std::size_t at = 0;
    const auto next = [&](Kind kind) -> const DrawOp& {
        EXPECT_LT(at, ops.size());
        if (at >= ops.size())
            throw std::runtime_error("ops ended early");
        EXPECT_EQ(static_cast<int>(ops[at].kind), static_cast<int>(kind)) << "at op " << at;
        return ops[at++];
    };
    next(Kind::Show);
    EXPECT_EQ(next(Kind::DrawWidth).widthPx, 1);
    while (at < ops.size() && ops[at].kind == Kind::Line) {
        const DrawOp& line = next(Kind::Line);
        EXPECT_EQ(line.x1, line.x2);
        EXPECT_EQ(line.y1, 1.0f);
        EXPECT_EQ(line.y2, 33.0f);
        EXPECT_FALSE(line.colour.has_value());
        const float x = next(Kind::CurrentX).x1;
        const float y = next(Kind::CurrentY).x1;
        picture.days.push_back({line.x1, x, y, next(Kind::Print).text});
    }
    EXPECT_EQ(next(Kind::DrawWidth).widthPx, 2);
    for (int bar = 0; bar < 2; ++bar) {
        for (int k = 0; k < 4; ++k)
            picture.barLines.push_back(next(Kind::Line));
        const float x = next(Kind::CurrentX).x1;
        const float y = next(Kind::CurrentY).x1;
        DrawOp label = next(Kind::Print);
        label.x1 = x;
        label.y1 = y;
        picture.barLabels.push_back(label);
    }
    EXPECT_EQ(at, ops.size());
    return picture;
}

Picture Draw(const DesignRecord& d)
{
    pattern::RecordingSurface surface;
    pattern::DrawPattern(d, surface);
    return Parse(surface.Ops());
}

TEST(PatternDrawing, WorkedExampleLandsAtTheStatedCoordinates)
{
    const Picture p = Draw(Design(14, 1, 3, OrbitType::ChooseInclination));
    ASSERT_EQ(p.days.size(), 4u);
    const char* labels[] = {" 0 ", " 1 ", " 2 ", " 3 "};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(p.days[k].label, labels[k]);
        EXPECT_EQ(p.days[k].labelX, p.days[k].x);
        EXPECT_EQ(p.days[k].labelY, static_cast<float>(k + 1));
    }
    EXPECT_EQ(p.days[0].x, 25.0f);
    EXPECT_NEAR(p.days[1].x, 18.302, 5e-4);
    EXPECT_NEAR(p.days[2].x, 11.605, 5e-4);
    // Day 3 is the reference track again: on the centre line, or one full
    // spacing to the left, depending on the last bits of the spacing.
    EXPECT_TRUE(std::fabs(p.days[3].x - 25.0f) < 1e-3 || std::fabs(p.days[3].x - 4.907f) < 1e-3) << p.days[3].x;

    // Each bar: the bar, the middle tick down, the ticks up at the centre and
    // at the far end; the left bar mirrors the right one.
    ASSERT_EQ(p.barLines.size(), 8u);
    for (const DrawOp& line : p.barLines)
        EXPECT_EQ(line.colour, (pattern::Rgb{255, 0, 0}));
    for (std::size_t bar = 0; bar < 2; ++bar) {
        const DrawOp* l = &p.barLines[4 * bar];
        EXPECT_TRUE(l[0].x1 == 25 && l[0].y1 == 35 && l[0].y2 == 35);
        EXPECT_TRUE(l[1].x1 == l[1].x2 && l[1].y1 == 35 && l[1].y2 == 36);
        EXPECT_TRUE(l[2].x1 == 25 && l[2].x2 == 25 && l[2].y1 == 35 && l[2].y2 == 34);
        EXPECT_TRUE(l[3].x1 == l[0].x2 && l[3].x2 == l[0].x2 && l[3].y1 == 35 && l[3].y2 == 34);
    }
    EXPECT_NEAR(p.barLines[0].x2, 45.093, 5e-4);  // right bar's far end
    EXPECT_NEAR(p.barLines[4].x2, 4.907, 5e-4);   // left bar's far end
    EXPECT_NEAR(p.barLines[1].x1, 35.047, 5e-4);  // middle ticks
    EXPECT_NEAR(p.barLines[5].x1, 14.953, 5e-4);
    EXPECT_NEAR(p.barLabels[0].x1, 31.028, 5e-4);
    EXPECT_NEAR(p.barLabels[1].x1, 10.935, 5e-4);
    for (const DrawOp& label : p.barLabels) {
        EXPECT_EQ(label.text, "Orbit spacing 25.12 degrees");
        EXPECT_EQ(label.y1, 37.0f);
    }
}

TEST(PatternDrawing, NegativeMDrawsTheDaysRightOfTheCentre)
{
    const DesignRecord d = Design(14, -1, 3, OrbitType::ChooseInclination);
    EXPECT_NEAR(d.NodeSpacingDeg, 26.341, 5e-4);
    const Picture p = Draw(d);
    ASSERT_EQ(p.days.size(), 4u);
    EXPECT_NEAR(p.days[1].x, 32.024, 5e-4);
    EXPECT_NEAR(p.days[2].x, 39.049, 5e-4);
    EXPECT_EQ(p.barLabels[0].text, "Orbit spacing 26.34 degrees");
}

TEST(PatternDrawing, NoExtraRevolutionsStacksEveryDayOnTheCentreLine)
{
    const Picture p = Draw(Design(15, 0, 4, OrbitType::SunSynchronous));
    ASSERT_EQ(p.days.size(), 5u);
    for (std::size_t k = 0; k < p.days.size(); ++k) {
        EXPECT_NEAR(p.days[k].x, 25.0f, 1e-3) << k;
        EXPECT_EQ(p.days[k].labelY, static_cast<float>(k + 1));
        EXPECT_EQ(p.days[k].label, " " + std::to_string(k) + " ");
    }
    EXPECT_EQ(p.barLabels[0].text, "Orbit spacing 24.00 degrees");
}

// Q = 0 never completes a solve, but a record can carry it: only day 0 and
// the bars are drawn. A negative Q draws no day at all.
TEST(PatternDrawing, DayCountFollowsQ)
{
    DesignRecord d = Design(14, 1, 3, OrbitType::ChooseInclination);
    struct {
        double q;
        std::size_t days;
    } const cases[] = {{0, 1}, {-2, 0}, {2.5, 3}, {30, 31}};
    for (const auto& c : cases) {
        d.Q = c.q;
        const Picture p = Draw(d);
        EXPECT_EQ(p.days.size(), c.days) << "Q " << c.q;
        EXPECT_EQ(p.barLines.size(), 8u);
        if (!p.days.empty()) {
            EXPECT_EQ(p.days[0].x, 25.0f);
            EXPECT_EQ(p.days[0].label, " 0 ");
        }
    }
}

// For a sun-synchronous design the spacing exceeds 2pi/nu, and that excess
// decides where day Q lands: one full spacing left of the centre for M > 0,
// on the centre line for M < 0.
TEST(PatternDrawing, SunSynchronousDayQFollowsTheSignOfM)
{
    struct {
        double n, m, q;
    } const cases[] = {{14, 1, 3}, {14, -1, 3}, {15, 2, 7}, {13, -4, 9}};
    for (const auto& c : cases) {
        const DesignRecord d = Design(c.n, c.m, c.q, OrbitType::SunSynchronous);
        const Picture p = Draw(d);
        const float dayQ = p.days.back().x;
        const float expected = c.m > 0 ? static_cast<float>(25 - 0.8 * d.NodeSpacingDeg) : 25.0f;
        EXPECT_NEAR(dayQ, expected, 1e-3) << "N " << c.n << " M " << c.m << " Q " << c.q;
    }
}

// The window is never cleared: a second display adds a whole second pattern,
// starting at pen width 1 again.
TEST(PatternDrawing, SecondDisplayDrawsAnotherCompletePattern)
{
    pattern::RecordingSurface surface;
    pattern::DrawPattern(Design(14, 1, 3, OrbitType::ChooseInclination), surface);
    const std::size_t first = surface.Ops().size();
    pattern::DrawPattern(Design(14, -1, 3, OrbitType::ChooseInclination), surface);
    const std::vector<DrawOp> all = surface.Ops();
    ASSERT_GT(all.size(), first);
    const Picture a = Parse({all.begin(), all.begin() + static_cast<long>(first)});
    const Picture b = Parse({all.begin() + static_cast<long>(first), all.end()});
    EXPECT_LT(a.days[1].x, 25.0f);
    EXPECT_GT(b.days[1].x, 25.0f);
}

TEST(PatternDrawing, SpacingLabelUsesTwoIntegerDigitsAndTwoDecimals)
{
    struct {
        double spacingDeg;
        const char* text;
    } const cases[] = {{25.116279, "Orbit spacing 25.12 degrees"},
                       {7.5, "Orbit spacing 07.50 degrees"},
                       {123.456, "Orbit spacing 123.46 degrees"},
                       {0.004, "Orbit spacing 00.00 degrees"}};
    for (const auto& c : cases)
        EXPECT_EQ(pattern::SpacingLabel(c.spacingDeg), c.text);
}

// N 0, M -15, Q 1 at 65 degrees completes with a spacing of -24 degrees. The
// display fails with "Overflow" on day 0, after showing the window and
// setting the pen, and draws nothing else.
TEST(PatternDrawingFailures, NegativeSpacingIsOverflowBeforeTheFirstLine)
{
    const DesignRecord d = Design(0, -15, 1, OrbitType::ChooseInclination);
    EXPECT_NEAR(d.NodeSpacingDeg, -24, 1e-6);
    pattern::RecordingSurface surface;
    EXPECT_EQ(ErrorOf([&] { pattern::DrawPattern(d, surface); }), "Overflow");
    ASSERT_EQ(surface.Ops().size(), 2u);
    EXPECT_EQ(surface.Ops()[0].kind, Kind::Show);
    EXPECT_EQ(surface.Ops()[1].kind, Kind::DrawWidth);
}

// A pattern of more days than the 16-bit day counter holds is refused before
// the first day, instead of tens of thousands of lines and then the error.
TEST(PatternDrawingFailures, DaysBeyondTheDayCounterAreOverflow)
{
    DesignRecord d = Design(14, 1, 3, OrbitType::ChooseInclination);
    for (double q : {32768.0, 1e9, HUGE_VAL}) {
        d.Q = q;
        pattern::RecordingSurface surface;
        EXPECT_EQ(ErrorOf([&] { pattern::DrawPattern(d, surface); }), "Overflow") << q;
        EXPECT_EQ(surface.Ops().size(), 2u);
    }
    d.Q = 32767.5;  // the last day is 32767
    pattern::RecordingSurface surface;
    EXPECT_EQ(ErrorOf([&] { pattern::DrawPattern(d, surface); }), "");
    ASSERT_GE(surface.Ops().size(), 4u);
    const DrawOp& lastPrintedDay = surface.Ops()[surface.Ops().size() - 1 - 2 * 7 - 1];
    EXPECT_EQ(lastPrintedDay.kind, Kind::Print);
    EXPECT_EQ(lastPrintedDay.text, " 32767 ");
}

// A spacing of one decimal digit more than a float holds cannot be handed to
// the surface: "Overflow" at the first coordinate that needs it.
TEST(PatternDrawingFailures, CoordinatesBeyondTheFloatRangeAreOverflow)
{
    DesignRecord d = Design(14, 1, 3, OrbitType::ChooseInclination);
    d.Q = -1;  // no days: straight to the bars
    d.NodeSpacingDeg = 1e39;
    pattern::RecordingSurface surface;
    EXPECT_EQ(ErrorOf([&] { pattern::DrawPattern(d, surface); }), "Overflow");
    EXPECT_EQ(surface.Ops().back().kind, Kind::DrawWidth);
}

}  // namespace
