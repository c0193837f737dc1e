#include "platform/command_button.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include <vector>

namespace {

// Bands of consecutive pixel rows inside `area` that carry caption ink.
std::vector<std::pair<int, int>> InkBands(const QImage& image, QRect area, QRgb ink)
{
    std::vector<std::pair<int, int>> bands;
    bool inBand = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool inked = false;
        for (int x = area.left(); x <= area.right() && !inked; ++x)
            inked = qGray(image.pixel(x, y)) < qGray(ink) + 60;
        if (inked && !inBand)
            bands.push_back({y, y});
        if (inked)
            bands.back().second = y;
        inBand = inked;
    }
    return bands;
}

TEST(CommandButton, ALongCaptionWrapsOntoTwoLinesInsideTheButton)
{
    QWidget window;
    QFont font("DejaVu Sans");
    font.setPointSizeF(7.5);
    window.setFont(font);
    auto* button = new platform::CommandButton("Compute orbital elements", &window);
    button->setGeometry(0, 0, 105, 49);
    window.show();

    const QImage image = button->grab().toImage();
    const QRect caption = button->CaptionRect();
    const auto bands = InkBands(image, caption.adjusted(2, 2, -2, -2), button->palette().color(QPalette::ButtonText).rgb());
    ASSERT_EQ(bands.size(), 2u) << "caption not on two lines";
    // Nothing of the caption lies outside its area.
    const auto whole = InkBands(image, QRect(2, 0, 101, 49), button->palette().color(QPalette::ButtonText).rgb());
    EXPECT_GE(whole.front().first, caption.top());
    EXPECT_LE(whole.back().second, caption.bottom());
}

TEST(CommandButton, ADisabledButtonRaisesNoClick)
{
    platform::CommandButton button("Display pattern");
    button.resize(73, 33);
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    button.setEnabled(true);
    QTest::mouseClick(&button, Qt::LeftButton);
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
}

}  // namespace
