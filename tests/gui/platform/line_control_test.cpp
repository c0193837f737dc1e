#include "platform/line_control.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

bool IsInk(QRgb pixel, QRgb ink) { return pixel == ink; }

// Pixels of ink in one column (alongRow false) or one row (alongRow true).
int InkAcross(const QImage& image, QRgb ink, int at, bool alongRow)
{
    int count = 0;
    const int extent = alongRow ? image.width() : image.height();
    for (int i = 0; i < extent; ++i) {
        const QRgb pixel = alongRow ? image.pixel(i, at) : image.pixel(at, i);
        count += IsInk(pixel, ink) ? 1 : 0;
    }
    return count;
}

TEST(LineControl, DrawsASolidLineTwoPixelsWideInTheWindowTextColour)
{
    QWidget window;
    window.resize(100, 100);
    auto* horizontal = new platform::LineControl(QPoint(80, 20), QPoint(20, 20), 2, &window);
    auto* vertical = new platform::LineControl(QPoint(50, 40), QPoint(50, 90), 2, &window);
    window.show();
    const QImage image = window.grab().toImage();
    const QRgb ink = window.palette().color(QPalette::WindowText).rgb();

    // Across each line exactly two pixels of ink; along it, no gap.
    EXPECT_EQ(InkAcross(image, ink, 40, false), 2);
    EXPECT_EQ(InkAcross(image, ink, 60, true), 2);
    for (int x = 20; x <= 80; ++x)
        EXPECT_TRUE(IsInk(image.pixel(x, 20), ink) || IsInk(image.pixel(x, 19), ink)) << "gap at x = " << x;
    EXPECT_EQ(horizontal->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(vertical->From(), QPoint(50, 40));
}

TEST(LineControl, ClicksPassThroughToTheControlUnderneath)
{
    QWidget window;
    window.resize(100, 100);
    auto* button = new QPushButton("under", &window);
    button->setGeometry(10, 10, 80, 30);
    new platform::LineControl(QPoint(0, 25), QPoint(99, 25), 2, &window);
    window.show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });

    QWidget* target = window.childAt(50, 25);
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window, QPoint(50, 25)));
    EXPECT_EQ(target, button);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
