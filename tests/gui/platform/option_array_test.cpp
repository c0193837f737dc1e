#include "platform/option_array.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <vector>

namespace {

class OptionFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_ = std::make_unique<QGroupBox>("Orbit type");
        frame_->resize(140, 90);
        auto* first = new QRadioButton("Sun-synchronous", frame_.get());
        first->setGeometry(16, 24, 105, 17);
        auto* second = new QRadioButton("Choose inclination", frame_.get());
        second->setGeometry(16, 48, 113, 25);
        array_.Add(first);
        array_.Add(second);
        second->setChecked(true);
        QObject::connect(&array_, &platform::OptionArray::Click, [this](std::int16_t index) {
            // The handler must see the new selection complete.
            clicks_.push_back({index, array_.IsSelected(0), array_.IsSelected(1)});
        });
        frame_->show();
    }

    struct Seen {
        int index;
        bool zeroSelected;
        bool oneSelected;
        bool operator==(const Seen&) const = default;
    };

    std::unique_ptr<QGroupBox> frame_;
    platform::OptionArray array_;
    std::vector<Seen> clicks_;
};

TEST_F(OptionFixture, SelectingAMemberReportsItsIndexWithTheOtherDeselected)
{
    QTest::mouseClick(array_.Member(0), Qt::LeftButton);
    QTest::mouseClick(array_.Member(1), Qt::LeftButton);
    EXPECT_EQ(clicks_, (std::vector<Seen>{{0, true, false}, {1, false, true}}));
}

TEST_F(OptionFixture, ChoosingTheSelectedMemberAgainRaisesNothing)
{
    QTest::mouseClick(array_.Member(1), Qt::LeftButton);
    EXPECT_TRUE(clicks_.empty());
    EXPECT_TRUE(array_.IsSelected(1));
}

TEST_F(OptionFixture, ArrowKeysMoveTheSelectionAndReportIt)
{
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    array_.Member(1)->setFocus();
    QTest::keyClick(array_.Member(1), Qt::Key_Up);
    EXPECT_EQ(clicks_, (std::vector<Seen>{{0, true, false}}));
}

}  // namespace
