#include "tests/windows/design_window/design_window_fixture.h"

#include "core/number_text.h"
#include "core/repeat_orbit_solver.h"
#include "pattern_qt/rel_ground.h"

#include "tests/support/test_names.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <functional>
#include <ostream>
#include <string>

namespace {

using Texts = std::array<QString, 6>;
const Texts kCleared{};

class InputEditing : public DesignWindowTest {
protected:
    void ComputeOk()
    {
        Click(W().ComputeCom);
        ASSERT_TRUE(errors_.isEmpty()) << errors_.join(", ").toStdString();
        ASSERT_NE(W().AxelBox->text(), "");
        ASSERT_TRUE(W().DispCom->isEnabled());
    }
    std::array<QString, 5> Inputs()
    {
        return {W().NinputText->text(), W().MinputText->text(), W().QinputText->text(), W().InclText->text(),
                W().Incl01Text->text()};
    }
};

// One step of an inclination stepper, from the text in its box.
struct StepCase {
    const char* stepper;  // "10", "1" or "01"
    bool up;
    const char* before;
    const char* after;    // nullptr: an overflow error, the box keeps its text
};

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << (c.up ? "up " : "down ") << c.stepper << " from '" << c.before << "' to '"
        << (c.after ? c.after : "(overflow)") << "'";
}

// Up10_From65_To75, Down1_FromMinus5_To0, Up1_From32767_Overflow.
std::string StepCaseName(const ::testing::TestParamInfo<StepCase>& testInfo)
{
    const StepCase& c = testInfo.param;
    const std::string outcome = c.after ? "To" + test_names::FromText(QString(c.after).trimmed().toStdString())
                                        : std::string("Overflow");
    return std::string(c.up ? "Up" : "Down") + c.stepper + "_From" + test_names::FromText(c.before) + "_" + outcome;
}

class InclinationStep : public InputEditing, public ::testing::WithParamInterface<StepCase> {};

TEST_P(InclinationStep, StepsTheBoxFromItsLeadingNumberWithinOneSidedBounds)
{
    const StepCase& c = GetParam();
    const QString stepper(c.stepper);
    platform::SpinControl* spin = stepper == "10" ? W().UpDown10i : stepper == "1" ? W().UpDown1i : W().UpDown01i;
    platform::TextBox* box = stepper == "01" ? W().Incl01Text : W().InclText;
    platform::TextBox* other = stepper == "01" ? W().InclText : W().Incl01Text;
    const QString otherBefore = other->text();
    Type(box, c.before);
    MarkResults("old");
    W().DispCom->setEnabled(true);

    c.up ? ClickUp(spin) : ClickDown(spin);

    if (c.after == nullptr) {
        EXPECT_EQ(errors_, QStringList{"Overflow"});
        EXPECT_EQ(box->text(), c.before);
        EXPECT_EQ(ResultTexts(), (Texts{"old", "old", "old", "old", "old", "old"})) << "an overflow cleared results";
        EXPECT_TRUE(W().DispCom->isEnabled());
    } else if (c.up && QString(c.after) == c.before) {
        // An up step that leaves the text as it was changes no input.
        EXPECT_TRUE(errors_.isEmpty()) << errors_.join(", ").toStdString();
        EXPECT_EQ(box->text(), c.after);
        EXPECT_EQ(ResultTexts(), (Texts{"old", "old", "old", "old", "old", "old"}));
        EXPECT_TRUE(W().DispCom->isEnabled());
    } else {
        EXPECT_TRUE(errors_.isEmpty()) << errors_.join(", ").toStdString();
        EXPECT_EQ(box->text(), c.after);
        EXPECT_EQ(ResultTexts(), kCleared);
        EXPECT_FALSE(W().DispCom->isEnabled());
    }
    EXPECT_EQ(other->text(), otherBefore) << "the other box was touched";
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, InclinationStep,
    ::testing::Values(StepCase{"10", true, "65", " 75"}, StepCase{"10", true, "175", " 180"},
                      StepCase{"10", true, " 180", " 180"}, StepCase{"10", false, "5", " 0"},
                      StepCase{"10", false, "0", " 0"}, StepCase{"1", false, "200", " 199"},
                      StepCase{"1", true, "200", " 180"}, StepCase{"1", true, "-5", "-4"},
                      StepCase{"1", false, "-5", " 0"}, StepCase{"1", true, "65.5", " 67"},
                      StepCase{"1", true, "64.5", " 65"}, StepCase{"10", true, "abc", " 10"},
                      StepCase{"10", true, "", " 10"}, StepCase{"1", false, "abc", " 0"},
                      StepCase{"1", true, "6 5", " 66"}, StepCase{"1", true, "65abc", " 66"},
                      StepCase{"1", true, "6.5E1", " 66"}, StepCase{"1", true, "&H41", " 66"},
                      StepCase{"01", true, "9", " 0"}, StepCase{"01", false, "0", " 0"},
                      StepCase{"01", false, "5", " 4"}, StepCase{"01", true, "25", " 0"},
                      StepCase{"01", false, "25", " 24"}, StepCase{"01", true, "3", " 4"},
                      StepCase{"10", true, "40000", nullptr}, StepCase{"10", false, "40000", nullptr},
                      StepCase{"1", true, "40000", nullptr}, StepCase{"1", false, "40000", nullptr},
                      StepCase{"01", true, "40000", nullptr}, StepCase{"1", true, "32767", nullptr},
                      StepCase{"10", true, "32760", nullptr}, StepCase{"1", false, "-32768", nullptr},
                      StepCase{"1", true, "32766", " 180"}, StepCase{"1", false, "-32767", " 0"}),
    StepCaseName);

TEST_F(InputEditing, StepsFollowEachOtherFromWhatTheBoxShows)
{
    for (int i = 0; i < 12; ++i)
        ClickUp(W().UpDown10i);
    EXPECT_EQ(W().InclText->text(), " 180");
    ClickDown(W().UpDown1i);
    ClickDown(W().UpDown10i);
    EXPECT_EQ(W().InclText->text(), " 169");
    for (int i = 0; i < 12; ++i)
        ClickUp(W().UpDown01i);
    EXPECT_EQ(W().Incl01Text->text(), " 2");  // 0 → 9, wraps to 0, then 1, 2
    EXPECT_EQ(W().InclText->text(), " 169");
}

TEST_F(InputEditing, SpinControlsOfNMAndQStepWithinTheirRanges)
{
    struct Range {
        platform::SpinControl* spin;
        platform::TextBox* box;
        int minimum, maximum;
    };
    const Range ranges[] = {{W().UpDownN, W().NinputText, 0, 16},
                            {W().UpDownM, W().MinputText, -15, 15},
                            {W().UpDownQ, W().QinputText, 1, 30}};
    for (const Range& r : ranges) {
        for (int i = 0; i < 40; ++i)
            ClickDown(r.spin);
        EXPECT_EQ(r.box->text(), QString::number(r.minimum)) << r.spin->objectName().toStdString();
        for (int i = 0; i < 80; ++i)
            ClickUp(r.spin);
        EXPECT_EQ(r.box->text(), QString::number(r.maximum)) << r.spin->objectName().toStdString();
    }
}

TEST_F(InputEditing, OneClickDownOnMShowsZeroAtOnceAndFifteenMoreReachTheMinimum)
{
    ClickDown(W().UpDownM);
    EXPECT_EQ(W().MinputText->text(), "0");
    for (int i = 0; i < 15; ++i)
        ClickDown(W().UpDownM);
    EXPECT_EQ(W().MinputText->text(), "-15");
    ClickDown(W().UpDownM);
    EXPECT_EQ(W().MinputText->text(), "-15");
}

TEST_F(InputEditing, TypedNumbersAreNotHeldToTheSpinRanges)
{
    Type(W().NinputText, "40");
    EXPECT_EQ(W().NinputText->text(), "40");
    ClickDown(W().UpDownN);  // 40 is outside 0..16: held at 16, then stepped from
    EXPECT_EQ(W().NinputText->text(), "15");
    Type(W().NinputText, "40");
    ClickUp(W().UpDownN);  // held at 16, and the box shows what the control holds
    EXPECT_EQ(W().NinputText->text(), "16");
    EXPECT_EQ(W().UpDownN->Value(), 16);
    Type(W().NinputText, "3");
    ClickUp(W().UpDownN);  // a typed whole number in range is stepped from
    EXPECT_EQ(W().NinputText->text(), "4");
    Type(W().QinputText, "2.6");
    ClickDown(W().UpDownQ);  // rounded to 3 first
    EXPECT_EQ(W().QinputText->text(), "2");
}

TEST_F(InputEditing, EveryKindOfEditClearsTheResultsAndDisablesDisplay)
{
    using Edit = std::function<void()>;
    const std::pair<const char*, Edit> edits[] = {
        {"down step at 0 that leaves the box as it was",
         [&] {
             Type(W().Incl01Text, " 0");
             ComputeOk();
             ClickDown(W().UpDown01i);
         }},
        {"down step of the tens", [&] { ClickDown(W().UpDown10i); }},
        {"up step of the degrees", [&] { ClickUp(W().UpDown1i); }},
        {"up step of the tenths", [&] { ClickUp(W().UpDown01i); }},
        {"arrow on N", [&] { ClickDown(W().UpDownN); }},
        {"arrow on M", [&] { ClickUp(W().UpDownM); }},
        {"arrow on Q", [&] { ClickUp(W().UpDownQ); }},
        {"keystroke in the degrees", [&] { QTest::keyClick(W().InclText, Qt::Key_Backspace); }},
        {"keystroke in the tenths", [&] { QTest::keyClicks(W().Incl01Text, "1"); }},
        {"N typed", [&] { QTest::keyClicks(W().NinputText, "4"); }},
        {"M typed", [&] { QTest::keyClick(W().MinputText, Qt::Key_Backspace); }},
        {"Q typed", [&] { QTest::keyClicks(W().QinputText, "2"); }},
    };
    for (const auto& [what, edit] : edits) {
        TearDown();
        SetUp();
        ComputeOk();
        edit();
        EXPECT_EQ(ResultTexts(), kCleared) << what;
        EXPECT_FALSE(W().DispCom->isEnabled()) << what;
        EXPECT_TRUE(errors_.isEmpty()) << what;
    }
}

TEST_F(InputEditing, ClearingLeavesInputsAndTheDesignRecordAlone)
{
    ComputeOk();
    const double spacing = orbit::DesignResult.NodeSpacingDeg;
    const auto inputs = Inputs();
    W().EraseFields();
    EXPECT_EQ(ResultTexts(), kCleared);
    EXPECT_EQ(Inputs(), inputs);
    EXPECT_TRUE(W().DispCom->isEnabled()) << "EraseFields itself does not disable";
    EXPECT_EQ(orbit::DesignResult.NodeSpacingDeg, spacing);
}

TEST_F(InputEditing, OrbitTypeSwitchShowsItsControlsAndComputesAtOnce)
{
    SelectSunSynchronous();
    for (QWidget* control : W().InclinationGroup())
        EXPECT_TRUE(control->isHidden()) << control->objectName().toStdString();
    EXPECT_TRUE(W().Label16->isVisible());
    EXPECT_TRUE(W().InclOutBox->isVisible());
    orbit::DesignRecord record;
    const auto expected = orbit::SolveRepeatOrbit(
        orbit::RepeatOrbitInputs::Fixed(15, 1, 1, orbit::OrbitType::SunSynchronous), {}, record);
    EXPECT_EQ(W().InclOutBox->text().toStdString(), orbit::FormatPattern(*expected.InclDeg, "###.###"));
    EXPECT_TRUE(W().DispCom->isEnabled());

    SelectChooseInclination();
    for (QWidget* control : W().InclinationGroup())
        EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();
    EXPECT_EQ(W().InclText->text(), "65");
    EXPECT_EQ(W().Incl01Text->text(), "0");
    EXPECT_TRUE(W().Label16->isHidden());
    EXPECT_TRUE(W().InclOutBox->isHidden());
    EXPECT_EQ(W().AxelBox->text(), "6592.94");
    EXPECT_TRUE(W().DispCom->isEnabled());
}

TEST_F(InputEditing, ExitClosesOnlyTheDesignWindow)
{
    ComputeOk();
    Click(W().DispCom);
    ASSERT_TRUE(errors_.isEmpty()) << errors_.join(", ").toStdString();
    pattern::RelGround& pattern = pattern::RelGround::Instance();
    ASSERT_TRUE(pattern.isVisible());

    Click(W().ExitCom);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window_.isNull()) << "the design window was not unloaded";
    EXPECT_TRUE(pattern.isVisible());
    pattern.Unload();
}

}  // namespace
