// The icon renderer and the PNG files the build made with it.

#include "icon/app_icon.h"

#include "core/orbit_error.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <string>

namespace {

const QRgb kYellow = qRgb(255, 255, 0);

// How much of the picture is covered in black ink: each pixel counts by how
// far its grey lies from the yellow field's towards black, so a line's
// smoothed edges count by their coverage and the share keeps at every size.
double InkShare(const QImage& image)
{
    const double yellowGrey = qGray(kYellow);
    double ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += 1.0 - qGray(image.pixel(x, y)) / yellowGrey;
    return ink / (image.width() * image.height());
}

// What every size of the icon shows: an opaque yellow field, its corners
// and the circle's middle clear of ink, and the black circle and arrow
// covering the same share of it.
void ExpectTheIconPicture(const QImage& image, int sizePx)
{
    ASSERT_EQ(image.size(), QSize(sizePx, sizePx));
    const int last = sizePx - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        EXPECT_EQ(image.pixel(corner), kYellow) << "corner " << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixel(sizePx * 15 / 32, sizePx * 16 / 32), kYellow) << "inside the circle";
    EXPECT_EQ(qAlpha(image.pixel(sizePx / 2, 0)), 255);
    // A ring 1/32 of the size wide and 22/32 across, the shaft and the
    // arrowhead: about 8.7 % of the field.
    EXPECT_NEAR(InkShare(image), 0.087, 0.01);
}

class IconSize : public ::testing::TestWithParam<int> {};

TEST_P(IconSize, BuiltPngFileIsTheRenderedPicture)
{
    const QString path = QStringLiteral(ICON_THEME_PNG_DIR "/%1x%1/" APP_ID ".png").arg(GetParam());
    const QImage file = QImage(path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(file.isNull()) << path.toStdString();
    const QImage rendered = app_icon::RenderAppIcon(GetParam());
    ExpectTheIconPicture(rendered, GetParam());
    EXPECT_EQ(file, rendered);
}

INSTANTIATE_TEST_SUITE_P(ThemeSizes, IconSize, ::testing::Values(16, 32, 48, 64, 128, 256),
                         [](const ::testing::TestParamInfo<int>& size) {
                             return "Px" + std::to_string(size.param);
                         });

TEST(AppIcon, RefusesSizesThatCannotBeAPicture)
{
    for (const int sizePx : {0, -32, 100000}) {
        try {
            app_icon::RenderAppIcon(sizePx);
            ADD_FAILURE() << "size " << sizePx << " was rendered";
        } catch (const orbit::OrbitError& e) {
            EXPECT_EQ(e.Kind(), orbit::ErrorKind::InvalidArgument) << sizePx;
        }
    }
}

}  // namespace
