#include "tests/windows/design_window/design_window_fixture.h"

#include "core/repeat_orbit_solver.h"

#include "tests/support/test_names.h"

#include <QLabel>

#include <ostream>

namespace {

using Texts = std::array<QString, 6>;

class ComputeCommand : public DesignWindowTest {
protected:
    // N, M and Q by the spin arrows from the start values 15, 1, 1.
    void StepTo(platform::SpinControl* spin, int target)
    {
        while (spin->Value() < target)
            ClickUp(spin);
        while (spin->Value() > target)
            ClickDown(spin);
    }
    void Compute() { Click(W().ComputeCom); }
};

TEST_F(ComputeCommand, StartValuesWriteEachResultInOrderAndEnableDisplay)
{
    Compute();
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join(", ").toStdString();
    EXPECT_EQ(writes_, (QStringList{"NrOfRevs=16", "AxelBox=6592.94", "AvAltBox=214.8", "MeanMotBox=16.2117963",
                                    "TNtext=88.831"}));
    EXPECT_TRUE(W().InclOutBox->isHidden());
    EXPECT_TRUE(W().DispCom->isEnabled());
}

TEST_F(ComputeCommand, SunSynchronousN14M1Q3WritesTheAxisBeforeTheInclination)
{
    StepTo(W().UpDownN, 14);
    StepTo(W().UpDownQ, 3);
    writes_.clear();
    SelectSunSynchronous();  // computes at once
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join(", ").toStdString();
    EXPECT_EQ(writes_, (QStringList{"NrOfRevs=43", "AxelBox=7153.13", "AvAltBox=774.98", "MeanMotBox=14.341587",
                                    "InclOutBox=98.497", "TNtext=100.465"}));
    EXPECT_TRUE(W().InclOutBox->isVisible());
    EXPECT_TRUE(W().Label16->isVisible());
    EXPECT_TRUE(W().DispCom->isEnabled());

    // The button gives the same again.
    MarkResults("old");
    Compute();
    EXPECT_EQ(ResultTexts(), (Texts{"43", "7153.13", "774.98", "14.341587", "100.465", "98.497"}));
}

TEST_F(ComputeCommand, ChosenInclinationN14M1Q3LeavesTheHiddenInclinationAlone)
{
    StepTo(W().UpDownN, 14);
    StepTo(W().UpDownQ, 3);
    SelectSunSynchronous();
    ASSERT_EQ(W().InclOutBox->text(), "98.497");
    MarkResults("old");
    W().InclOutBox->setText("98.497");
    writes_.clear();
    SelectChooseInclination();
    EXPECT_EQ(writes_, (QStringList{"NrOfRevs=43", "AxelBox=7106.13", "AvAltBox=727.98", "MeanMotBox=14.4884461",
                                    "TNtext=99.397"}));
    EXPECT_TRUE(W().InclOutBox->isHidden());
    EXPECT_EQ(W().InclOutBox->text(), "98.497") << "the hidden inclination is not written";
    EXPECT_TRUE(W().DispCom->isEnabled());
}

TEST_F(ComputeCommand, AWholeNodalPeriodKeepsItsPoint)
{
    StepTo(W().UpDownM, 0);
    SelectSunSynchronous();
    EXPECT_EQ(W().TNtext->text(), "96.");
}

TEST_F(ComputeCommand, ReadsTheInputsAsTheyStandInTheBoxes)
{
    // Typed text is read as it is, beyond the spin ranges and with fractions.
    Type(W().NinputText, " 1.45E1 ");
    Type(W().QinputText, "2");
    Type(W().InclText, "98");
    Type(W().Incl01Text, "5");
    Compute();
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join(", ").toStdString();
    EXPECT_EQ(W().NrOfRevs->text(), "30");  // 2 * 14.5 + 1
    EXPECT_DOUBLE_EQ(orbit::DesignResult.N, 14.5);
    EXPECT_DOUBLE_EQ(orbit::DesignResult.Incl, 98.5 * 3.141592654 / 180);
}

// Each row of the failure table: the inputs, the orbit type, the error text
// and which result boxes the failed command has written before stopping.
struct FailureCase {
    const char* what;
    const char* n;
    const char* m;
    const char* q;
    bool sunSynchronous;
    const char* degrees;
    const char* error;
    std::array<bool, 6> written;  // NrOfRevs, AxelBox, AvAltBox, MeanMotBox, TNtext, InclOutBox
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.what; }

class FailureTable : public ComputeCommand, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTable, StopsAtTheFailingStepKeepingWhatWasWritten)
{
    const FailureCase& c = GetParam();
    if (c.sunSynchronous)
        SelectSunSynchronous();
    Type(W().NinputText, c.n);
    Type(W().MinputText, c.m);
    Type(W().QinputText, c.q);
    if (!c.sunSynchronous)
        Type(W().InclText, c.degrees);
    MarkResults("old");
    W().DispCom->setEnabled(true);

    Compute();

    EXPECT_EQ(errors_, QStringList{c.error});
    const Texts texts = ResultTexts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i] != "old", c.written[i]) << ResultBoxes()[i]->objectName().toStdString() << " reads '"
                                                   << texts[i].toStdString() << "'";
    }
    EXPECT_FALSE(W().DispCom->isEnabled()) << "a failed compute leaves Display pattern enabled";
    EXPECT_EQ(W().NinputText->text(), c.n) << "an input was touched";
}

constexpr std::array<bool, 6> kNothing{false, false, false, false, false, false};
constexpr std::array<bool, 6> kRevs{true, false, false, false, false, false};
constexpr std::array<bool, 6> kRevsAndAxis{true, true, true, false, false, false};

INSTANTIATE_TEST_SUITE_P(
    Rows, FailureTable,
    ::testing::Values(FailureCase{"N not a number", "x15", "1", "1", false, "65", "Type mismatch", kNothing},
                      FailureCase{"N empty", "", "1", "1", true, "65", "Type mismatch", kNothing},
                      FailureCase{"M not a number", "15", "one", "1", false, "65", "Type mismatch", kNothing},
                      FailureCase{"Q empty", "15", "1", "", false, "65", "Type mismatch", kNothing},
                      FailureCase{"Q*N+M above 32767", "32767", "1", "1", false, "65", "Overflow", kNothing},
                      FailureCase{"Q*N+M below -32768", "-1", "-32768", "1", true, "65", "Overflow", kNothing},
                      FailureCase{"degrees not a number", "15", "1", "1", false, "6x5", "Type mismatch", kRevs},
                      FailureCase{"degrees empty", "15", "1", "1", false, "", "Type mismatch", kRevs},
                      FailureCase{"Q is 0", "15", "1", "0", false, "65", "Division by zero", kRevs},
                      FailureCase{"Q is 0, sun-synchronous", "15", "1", "0", true, "65", "Division by zero", kRevs},
                      FailureCase{"Q and M are 0", "15", "0", "0", false, "65", "Overflow", kRevs},
                      FailureCase{"N + M/Q is 0", "1", "-2", "2", false, "65", "Division by zero", kRevs},
                      FailureCase{"N + M/Q is 0, sun-synchronous", "1", "-2", "2", true, "65", "Division by zero",
                                  kRevsAndAxis}),
    [](const ::testing::TestParamInfo<FailureCase>& testInfo) {
        return test_names::FromDescription(testInfo.param.what);
    });

TEST_F(ComputeCommand, TheTenthsBoxIsReadAfterTheDegrees)
{
    Type(W().Incl01Text, "a");
    MarkResults("old");
    Compute();
    EXPECT_EQ(errors_, QStringList{"Type mismatch"});
    EXPECT_EQ(writes_, QStringList{"NrOfRevs=16"});
}

TEST_F(ComputeCommand, EarlierInputsAreStoredWhenALaterOneFails)
{
    StepTo(W().UpDownN, 13);
    StepTo(W().UpDownM, 2);
    Type(W().QinputText, "");
    MarkResults("old");
    Compute();
    EXPECT_EQ(errors_, QStringList{"Type mismatch"});
    EXPECT_EQ(orbit::DesignResult.N, 13);
    EXPECT_EQ(orbit::DesignResult.M, 2);
    EXPECT_TRUE(writes_.isEmpty()) << writes_.join(", ").toStdString();
}

TEST_F(ComputeCommand, AFailedComputeAfterACompletedOneDisablesDisplay)
{
    // A completed sun-synchronous design, then "Choose inclination" at
    // 144 degrees, whose solve does not settle: the design record now mixes
    // the two and must not be drawn.
    StepTo(W().UpDownN, 4);
    StepTo(W().UpDownM, 7);
    StepTo(W().UpDownQ, 22);
    Type(W().InclText, "144");
    SelectSunSynchronous();
    ASSERT_TRUE(errors_.isEmpty()) << errors_.join(", ").toStdString();
    ASSERT_TRUE(W().DispCom->isEnabled());

    SelectChooseInclination();
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].startsWith("No convergence")) << errors_[0].toStdString();
    EXPECT_FALSE(W().DispCom->isEnabled());
    // The switch itself stands: the inclination group is back.
    EXPECT_TRUE(W().InclText->isVisible());
    EXPECT_TRUE(W().InclOutBox->isHidden());
}

TEST_F(ComputeCommand, TheProgramGoesOnAfterAnError)
{
    Type(W().NinputText, "x");
    Compute();
    Type(W().NinputText, "15");
    Compute();
    EXPECT_EQ(errors_, QStringList{"Type mismatch"});
    EXPECT_EQ(W().AxelBox->text(), "6592.94");
    EXPECT_TRUE(W().DispCom->isEnabled());
}

}  // namespace
