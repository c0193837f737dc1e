// The layout builder relies on the table being consistent; a faulty table
// must stop the window with a message naming the row, in every build type.

#include "design_window/layout_check.h"

#include "tests/support/test_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using design_window::CheckLayoutTable;
using design_window::ControlRow;
using design_window::ControlTable;
using design_window::LineRow;
using design_window::LineTable;

std::vector<ControlRow> Controls() { return {ControlTable().begin(), ControlTable().end()}; }
std::vector<LineRow> Lines() { return {LineTable().begin(), LineTable().end()}; }

ControlRow& Row(std::vector<ControlRow>& rows, const std::string& name)
{
    for (ControlRow& row : rows) {
        if (name == row.name)
            return row;
    }
    throw std::out_of_range(name);
}

// The message of the check's error, or "" when the table passes.
std::string CheckMessage(const std::vector<ControlRow>& controls, const std::vector<LineRow>& lines)
{
    try {
        CheckLayoutTable(controls, lines);
    } catch (const std::logic_error& e) {
        return e.what();
    }
    return "";
}

TEST(LayoutCheck, TheWindowsOwnTablePasses) { EXPECT_EQ(CheckMessage(Controls(), Lines()), ""); }

struct FaultCase {
    const char* description;
    std::function<void(std::vector<ControlRow>&, std::vector<LineRow>&)> spoil;
    const char* message;  // what the error must say
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.description; }

class LayoutFault : public testing::TestWithParam<FaultCase> {};

TEST_P(LayoutFault, IsNamedWithItsRow)
{
    std::vector<ControlRow> controls = Controls();
    std::vector<LineRow> lines = Lines();
    GetParam().spoil(controls, lines);
    const std::string message = CheckMessage(controls, lines);
    EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, LayoutFault,
    testing::Values(
        FaultCase{"label tied to a missing box",
                  [](auto& c, auto&) { Row(c, "Label1").tiedTo = "NoSuchBox"; },
                  "row \"Label1\": tied to \"NoSuchBox\""},
        FaultCase{"spin control tied to a label",
                  [](auto& c, auto&) { Row(c, "UpDownN").tiedTo = "Label6"; },
                  "row \"UpDownN\": a spin control's buddy must be a text box"},
        FaultCase{"text box tied to a control",
                  [](auto& c, auto&) { Row(c, "NinputText").tiedTo = "UpDownN"; },
                  "row \"NinputText\": only labels and spin controls"},
        FaultCase{"name used twice", [](auto& c, auto&) { Row(c, "Label3").name = "Label1"; },
                  "row \"Label1\": the name is used twice"},
        FaultCase{"line named like a control", [](auto&, auto& l) { l.front().name = "ExitCom"; },
                  "row \"ExitCom\": the name is used twice"},
        FaultCase{"tab index used twice", [](auto& c, auto&) { Row(c, "ExitCom").tab = 0; },
                  "row \"ExitCom\": tab index 0 is used twice"},
        FaultCase{"options out of index order",
                  [](auto& c, auto&) {
                      Row(c, "OptionIncl(0)").optionIndex = 1;
                      Row(c, "OptionIncl(1)").optionIndex = 0;
                  },
                  "row \"OptionIncl(0)\": option index 1 out of order"},
        FaultCase{"option before its frame",
                  [](auto& c, auto&) {
                      auto frame = std::find_if(c.begin(), c.end(),
                                                [](const ControlRow& r) { return std::string(r.name) == "OrbType"; });
                      std::rotate(frame, frame + 1, frame + 3);  // the frame after both options
                  },
                  "row \"OptionIncl(0)\": an option button comes before its frame"},
        FaultCase{"option index on a box", [](auto& c, auto&) { Row(c, "InclText").optionIndex = 2; },
                  "row \"InclText\": an option button, and only an option button"}),
    [](const testing::TestParamInfo<FaultCase>& testInfo) {
        return test_names::FromDescription(testInfo.param.description);
    });

}  // namespace
