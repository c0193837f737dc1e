#include "design_window/window_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace design_window {

namespace {
constexpr int kSize = 32;
const QColor kYellow(255, 255, 0);  // palette colour 14
const QColor kBlack(0, 0, 0);       // palette colour 0
}  // namespace

QImage DesignIconImage()
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(kYellow);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kBlack, 1));
    painter.setBrush(Qt::NoBrush);
    // The orbit: a circle of radius 11 about the middle.
    painter.drawEllipse(QPoint(15, 16), 11, 11);
    // The satellite's direction of motion, up along the circle's right side.
    painter.drawLine(26, 21, 26, 12);
    painter.setBrush(kBlack);
    painter.drawPolygon(QPolygon({QPoint(26, 7), QPoint(23, 12), QPoint(29, 12)}));
    painter.end();
    // Keep to the 16 colours: there are only yellow and black.
    return image.convertToFormat(QImage::Format_Indexed8, {kYellow.rgb(), kBlack.rgb()}, Qt::ThresholdDither);
}

QIcon DesignIcon() { return QIcon(QPixmap::fromImage(DesignIconImage())); }

}  // namespace design_window
