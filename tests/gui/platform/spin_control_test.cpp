#include "platform/spin_control.h"
#include "platform/text_box.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <memory>

namespace {

using platform::SpinControl;
using platform::TextBox;

// A spin control with a buddy, laid out as the design window's are, that
// records every event it raises with the buddy's text at that moment.
class SpinFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = std::make_unique<QWidget>();
        window_->resize(200, 100);
        buddy_ = new TextBox(window_.get());
        buddy_->setGeometry(10, 10, 33, 19);
        spin_ = new SpinControl(window_.get());
        spin_->setGeometry(50, 2, 16, 35);
        spin_->SetRange(-15, 15);
        spin_->SetStep(1);
        spin_->SetInitialValue(1);
        spin_->SetBuddy(buddy_);
        buddy_->setText("1");
        QObject::connect(spin_, &SpinControl::Change, [this] { events_ << "Change " + buddy_->text(); });
        QObject::connect(spin_, &SpinControl::UpClick, [this] { events_ << "UpClick"; });
        QObject::connect(spin_, &SpinControl::DownClick, [this] { events_ << "DownClick"; });
        window_->show();
    }

    void ClickUp() { QTest::mouseClick(spin_, Qt::LeftButton, {}, spin_->UpArrowRect().center()); }
    void ClickDown() { QTest::mouseClick(spin_, Qt::LeftButton, {}, spin_->DownArrowRect().center()); }

    std::unique_ptr<QWidget> window_;
    TextBox* buddy_ = nullptr;
    SpinControl* spin_ = nullptr;
    QStringList events_;
};

TEST_F(SpinFixture, AClickWritesTheBuddyBeforeChangeThenReportsTheArrow)
{
    ClickDown();
    EXPECT_EQ(spin_->Value(), 0);
    EXPECT_EQ(buddy_->text(), "0");
    EXPECT_EQ(events_, (QStringList{"Change 0", "DownClick"}));

    events_.clear();
    ClickUp();
    ClickUp();
    EXPECT_EQ(buddy_->text(), "2");
    EXPECT_EQ(events_, (QStringList{"Change 1", "UpClick", "Change 2", "UpClick"}));
}

TEST_F(SpinFixture, StopsAtItsLimitsWithoutWrapping)
{
    for (int i = 0; i < 40; ++i)
        ClickDown();
    EXPECT_EQ(spin_->Value(), -15);
    EXPECT_EQ(buddy_->text(), "-15");
    // Sixteen steps reached the minimum; the other clicks changed nothing
    // but were still reported.
    EXPECT_EQ(events_.count("DownClick"), 40);
    EXPECT_EQ(events_.filter("Change").size(), 16);

    for (int i = 0; i < 40; ++i)
        ClickUp();
    EXPECT_EQ(spin_->Value(), 15);
    EXPECT_EQ(buddy_->text(), "15");
}

TEST_F(SpinFixture, ANumberTypedIntoTheBuddyIsWhatTheNextStepStartsFrom)
{
    struct Case {
        const char* typed;
        bool up;
        int value;
        const char* shown;
        int changes;  // Change events the press raises
    };
    const Case cases[] = {
        {"7", true, 8, "8", 1},       // taken up
        {" -12 ", false, -13, "-13", 1},
        {"+3", true, 4, "4", 1},
        {"15", true, 15, "15", 0},    // taken up, already at the maximum: nothing to write
        {"40", true, 15, "15", 1},    // out of range: held at the maximum, and the box says so
        {"-40", true, -14, "-14", 1},
        {"2.5", false, 1, "1", 1},    // not whole: rounded, halves to even
        {"3.5", false, 3, "3", 1},
        {"14.6", true, 15, "15", 1},
        {"1.5E1", true, 15, "1.5E1", 0},  // 15 exactly: nothing to write
        {"abc", true, 2, "2", 1},     // no number: the step starts from the held value 1
        {"", false, 0, "0", 1},
    };
    for (const Case& c : cases) {
        spin_->SetInitialValue(1);
        buddy_->setText(c.typed);
        events_.clear();
        c.up ? ClickUp() : ClickDown();
        EXPECT_EQ(spin_->Value(), c.value) << "typed '" << c.typed << "'";
        EXPECT_EQ(buddy_->text(), QString(c.shown)) << "typed '" << c.typed << "'";
        EXPECT_EQ(events_.filter("Change").size(), c.changes) << "typed '" << c.typed << "'";
    }
}

TEST_F(SpinFixture, ValueSetWithinTheRangeOnly)
{
    spin_->SetValue(99);
    EXPECT_EQ(spin_->Value(), 15);
    EXPECT_EQ(buddy_->text(), "15");
    events_.clear();
    spin_->SetValue(15);
    EXPECT_TRUE(events_.isEmpty()) << "an unchanged value raises no Change";
}

TEST_F(SpinFixture, UpAndDownKeysPressTheArrows)
{
    spin_->setFocus();
    QTest::keyClick(spin_, Qt::Key_Up);
    QTest::keyClick(spin_, Qt::Key_Up);
    QTest::keyClick(spin_, Qt::Key_Down);
    EXPECT_EQ(spin_->Value(), 2);
    EXPECT_EQ(events_, (QStringList{"Change 2", "UpClick", "Change 3", "UpClick", "Change 2", "DownClick"}));
}

// Held arrows repeat on a short interval here, so the tests wait a few of
// them instead of the style's half second.
constexpr std::chrono::milliseconds kRepeat{5};

TEST_F(SpinFixture, HoldingAnArrowRepeatsUntilReleased)
{
    spin_->SetRange(0, 1000);
    spin_->SetInitialValue(0);
    spin_->SetRepeatDelays(kRepeat, kRepeat);
    buddy_->setText("0");
    QTest::mousePress(spin_, Qt::LeftButton, {}, spin_->UpArrowRect().center());
    EXPECT_EQ(spin_->Value(), 1) << "the press itself steps once";
    // Judged by the assertion below, after the arrow is let go.
    static_cast<void>(QTest::qWaitFor([this] { return spin_->Value() >= 4; }, 5000));
    QTest::mouseRelease(spin_, Qt::LeftButton, {}, spin_->UpArrowRect().center());
    ASSERT_GE(spin_->Value(), 4) << "no repetition while the arrow was held";

    const int released = spin_->Value();
    QTest::qWait(static_cast<int>(10 * kRepeat.count()));
    EXPECT_EQ(spin_->Value(), released) << "repetition went on after the release";
}

TEST_F(SpinFixture, AMessageShownByAHandlerEndsTheRepetition)
{
    // The handler's message takes the button release; the arrow must not go
    // on stepping behind it, nor after it is closed.
    spin_->SetRange(0, 1000);
    spin_->SetInitialValue(0);
    spin_->SetRepeatDelays(kRepeat, kRepeat);
    buddy_->setText("0");
    int messages = 0;
    QObject::connect(spin_, &SpinControl::UpClick, [&] {
        if (++messages > 1)
            return;
        // The message stays up for many repeat intervals before it is closed.
        QTimer::singleShot(static_cast<int>(10 * kRepeat.count()), [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                QTest::mouseRelease(box, Qt::LeftButton);
                box->accept();
            }
        });
        QMessageBox box(QMessageBox::Critical, "t", "Overflow");
        box.exec();
    });
    QTest::mousePress(spin_, Qt::LeftButton, {}, spin_->UpArrowRect().center());
    QTest::qWait(static_cast<int>(10 * kRepeat.count()));
    EXPECT_EQ(messages, 1);
    EXPECT_EQ(spin_->Value(), 1);
}

TEST_F(SpinFixture, ScreenReadersSeeASpinBoxWithValueAndActions)
{
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(spin_);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::SpinBox);
    QAccessibleValueInterface* value = access->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 1);
    EXPECT_EQ(value->minimumValue().toInt(), -15);
    EXPECT_EQ(value->maximumValue().toInt(), 15);

    QAccessibleActionInterface* actions = access->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(buddy_->text(), "0");
    EXPECT_EQ(access->text(QAccessible::Value), "0");
    EXPECT_EQ(events_, (QStringList{"Change 0", "DownClick"}));
}

}  // namespace
