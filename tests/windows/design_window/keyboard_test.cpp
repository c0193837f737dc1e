#include "tests/windows/design_window/design_window_fixture.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

namespace {

class Keyboard : public DesignWindowTest {
protected:
    // Presses Tab until `target` has the focus; false if it never comes.
    bool TabTo(QWidget* target)
    {
        for (int i = 0; i < 30 && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget() == target;
    }

    // Names of the controls focus visits, starting from the one that has it.
    QStringList TabRound(int presses)
    {
        QStringList visited;
        for (int i = 0; i < presses; ++i) {
            QWidget* focus = QApplication::focusWidget();
            visited << (focus != nullptr ? focus->objectName() : QString("(none)"));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        return visited;
    }

    // The full designed order, less the controls the state hides or disables.
    static QStringList DesignedOrder(const QStringList& skipped)
    {
        QStringList order{"UpDownN",   "NinputText",    "UpDownM",   "MinputText", "UpDownQ",    "QinputText",
                          "UpDown10i", "InclText",      "UpDown1i",  "UpDown01i",  "OptionIncl", "AxelBox",
                          "AvAltBox",  "MeanMotBox",    "InclOutBox", "ComputeCom", "NrOfRevs",  "ExitCom",
                          "DispCom",   "TNtext",        "Incl01Text"};
        for (const QString& name : skipped)
            order.removeAll(name);
        return order;
    }
};

TEST_F(Keyboard, FocusStartsOnTheSpinControlOfN)
{
    EXPECT_EQ(QApplication::focusWidget(), W().UpDownN);
}

TEST_F(Keyboard, TabVisitsTheControlsInTheDesignedOrderAtStart)
{
    QStringList expected = DesignedOrder({"InclOutBox", "DispCom"});
    expected.replace(expected.indexOf("OptionIncl"), "OptionIncl(1)");
    const QStringList visited = TabRound(static_cast<int>(expected.size()) + 1);
    EXPECT_EQ(visited.mid(0, expected.size()), expected);
    EXPECT_EQ(visited.last(), "UpDownN") << "focus does not come round again";
}

TEST_F(Keyboard, TabVisitsTheSunSynchronousStateInTheDesignedOrder)
{
    SelectSunSynchronous();
    ASSERT_TRUE(W().DispCom->isEnabled());
    W().UpDownN->setFocus();
    QStringList expected =
        DesignedOrder({"UpDown10i", "InclText", "UpDown1i", "UpDown01i", "Incl01Text"});
    expected.replace(expected.indexOf("OptionIncl"), "OptionIncl(0)");
    EXPECT_EQ(TabRound(static_cast<int>(expected.size())), expected);
}

TEST_F(Keyboard, ADesignByKeyboardAlone)
{
    // N down to 14 and Q up to 3 with the arrow keys, then the orbit type
    // with an arrow key on the option buttons, which computes at once.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), W().UpDownQ);
    QTest::keyClick(W().UpDownQ, Qt::Key_Up);
    QTest::keyClick(W().UpDownQ, Qt::Key_Up);
    ASSERT_TRUE(TabTo(W().OptionIncl->Member(1)));
    QTest::keyClick(W().OptionIncl->Member(1), Qt::Key_Up);

    EXPECT_TRUE(W().OptionIncl->IsSelected(0));
    EXPECT_EQ(ResultTexts(), (std::array<QString, 6>{"43", "7153.13", "774.98", "14.341587", "100.465", "98.497"}));

    // Space presses the focused button.
    ASSERT_TRUE(TabTo(W().ComputeCom));
    MarkResults("old");
    QTest::keyClick(W().ComputeCom, Qt::Key_Space);
    EXPECT_EQ(W().AxelBox->text(), "7153.13");
    EXPECT_TRUE(errors_.isEmpty());
}

}  // namespace
