// From the design window to the explorer and back: Ctrl+F opens it, and
// "Use in design window" (the button, a double-click or Return on a row)
// lands the orbit in the design window's own boxes, which then show its
// results; a design window closed meanwhile is replaced by a new one.

#include "tests/windows/explorer/explorer_fixture.h"

#include "core/number_text.h"
#include "core/repeat_orbit_solver.h"
#include "core/result_fields.h"
#include "design_window/context_menu.h"
#include "design_window/explorer_link.h"
#include "design_window/orbit_des_vorn.h"
#include "design_window/orbit_type_option.h"
#include "platform/command_button.h"
#include "platform/option_array.h"
#include "platform/text_box.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>

namespace {

using design_window::OrbitDesVorn;
using orbit::OrbitType;

enum class Gesture { Button, DoubleClick, Return };

struct UseCase {
    const char* name;
    OrbitType type;
    double inclination;  // for a chosen one
    int n, m, q;
    Gesture gesture;
};

const UseCase kUses[] = {
    {"SunSynchronousByTheButton", OrbitType::SunSynchronous, 0, 14, 3, 10, Gesture::Button},
    {"Inclined65Point0ByADoubleClick", OrbitType::ChooseInclination, 65.0, 14, 2, 7, Gesture::DoubleClick},
    {"Inclined97Point3ByReturn", OrbitType::ChooseInclination, 97.3, 14, 1, 3, Gesture::Return},
};

class UseInDesignWindow : public ExplorerTest, public ::testing::WithParamInterface<UseCase> {
protected:
    void SetUp() override
    {
        ExplorerTest::SetUp();
        design_ = new OrbitDesVorn();
        design_->show();
        // Opened from the design window, as Ctrl+F there does.
        design_window::FindRepeatOrbits_Click(*design_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&W()));
    }
    void TearDown() override
    {
        delete design_.data();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* other = qobject_cast<OrbitDesVorn*>(window))
                delete other;
        ExplorerTest::TearDown();
    }

    void Use(int row, Gesture gesture)
    {
        ClickRow(row);
        switch (gesture) {
        case Gesture::Button:
            QTest::mouseClick(W().UseButton(), Qt::LeftButton);
            break;
        case Gesture::DoubleClick: {
            const QPoint cell = W().Table()->visualRect(Proxy().index(row, 0)).center();
            QTest::mouseDClick(W().Table()->viewport(), Qt::LeftButton, {}, cell);
            break;
        }
        case Gesture::Return:
            QTest::keyClick(W().Table(), Qt::Key_Return);
            break;
        }
    }

    // The results the design window must show for the case: solved here.
    static QString Expected(const UseCase& c, orbit::ResultField field)
    {
        const double degrees = std::floor(c.inclination);
        orbit::DesignRecord record;
        const orbit::RepeatOrbitSolution s = orbit::SolveRepeatOrbit(
            orbit::RepeatOrbitInputs::Fixed(c.n, c.m, c.q, c.type, degrees, std::round((c.inclination - degrees) * 10)),
            {}, record);
        return QString::fromStdString(orbit::FormatResult(field, *orbit::ValueOf(s, field)));
    }

    QPointer<OrbitDesVorn> design_;
};

TEST_P(UseInDesignWindow, LandsTheOrbitAndItsResultsInTheDesignWindow)
{
    const UseCase& c = GetParam();
    if (c.type == OrbitType::ChooseInclination) {
        QTest::mouseClick(W().Inputs()->InclinationOption(), Qt::LeftButton);
        W().Inputs()->InclinationBox()->setValue(c.inclination);
    }
    ASSERT_TRUE(Settle());
    const int row = RowOf(c.n, c.m, c.q);
    ASSERT_GE(row, 0);
    Use(row, c.gesture);

    OrbitDesVorn& d = *design_;
    EXPECT_EQ(d.NinputText->text(), QString::number(c.n));
    EXPECT_EQ(d.MinputText->text(), QString::number(c.m));
    EXPECT_EQ(d.QinputText->text(), QString::number(c.q));
    EXPECT_TRUE(d.OptionIncl->IsSelected(design_window::OptionIndexOf(c.type)));
    if (c.type == OrbitType::ChooseInclination) {
        EXPECT_EQ(d.InclText->text() + "." + d.Incl01Text->text(), QString::number(c.inclination, 'f', 1));
    }
    EXPECT_EQ(d.AvAltBox->text(), Expected(c, orbit::ResultField::MeanAltitude));
    EXPECT_EQ(d.TNtext->text(), Expected(c, orbit::ResultField::NodalPeriod));
    if (c.type == OrbitType::SunSynchronous) {
        EXPECT_EQ(d.InclOutBox->text(), Expected(c, orbit::ResultField::SunSyncInclination));
    }
    EXPECT_TRUE(d.DispCom->isEnabled()) << "a completed computation";
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d)) << "the design window comes to the front";
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Gestures, UseInDesignWindow, ::testing::ValuesIn(kUses),
                         [](const ::testing::TestParamInfo<UseCase>& c) { return std::string(c.param.name); });

TEST_F(UseInDesignWindow, OpensANewDesignWindowWhenItsOwnWasClosed)
{
    design_->close();  // deletes itself
    ASSERT_TRUE(QTest::qWaitFor([&] { return design_.isNull(); }, kWorkTimeoutMs));
    OrbitDesVorn* opened = nullptr;
    design_window::SetDesignWindowOpener([&opened] {
        opened = new OrbitDesVorn();
        opened->show();
        return opened;
    });
    const int row = RowOf(14, 3, 10);
    ASSERT_GE(row, 0);
    Use(row, Gesture::Button);
    design_window::SetDesignWindowOpener({});
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->QinputText->text(), QStringLiteral("10"));
    EXPECT_EQ(opened->AvAltBox->text(), QStringLiteral("786.12"));
}

TEST_F(UseInDesignWindow, ButtonWaitsForARow)
{
    W().Table()->selectionModel()->clearCurrentIndex();
    W().Table()->clearSelection();
    EXPECT_FALSE(W().UseButton()->isEnabled());
    ClickRow(0);
    EXPECT_TRUE(W().UseButton()->isEnabled());
}

}  // namespace
