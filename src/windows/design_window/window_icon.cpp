#include "design_window/window_icon.h"

#include "icon/app_icon.h"

#include <QPixmap>

namespace design_window {

namespace {
constexpr int kSize = 32;
const QColor kYellow(255, 255, 0);  // palette colour 14
const QColor kBlack(0, 0, 0);       // palette colour 0
// Sizes a desktop asks for besides 32: menus and title bars at 16, task bars
// and switchers larger, and all of them doubled on a high-density screen.
constexpr int kSmoothSizesPx[] = {16, 24, 48, 64, 128, 256};
}  // namespace

QImage DesignIconImage()
{
    // The application's picture, with every pixel taken to the nearer of the
    // two palette colours, so the 32 x 32 icon keeps to the 16 colours and its
    // one-pixel lines stay sharp.
    return app_icon::RenderAppIcon(kSize).convertToFormat(QImage::Format_Indexed8, {kYellow.rgb(), kBlack.rgb()},
                                                          Qt::ThresholdDither);
}

QIcon DesignIcon()
{
    QIcon icon(QPixmap::fromImage(DesignIconImage()));
    for (const int sizePx : kSmoothSizesPx)
        icon.addPixmap(QPixmap::fromImage(app_icon::RenderAppIcon(sizePx)));
    return icon;
}

}  // namespace design_window
