#include "platform/line_control.h"

#include <QPainter>
#include <QPen>

namespace platform {

LineControl::LineControl(QPoint from, QPoint to, int penWidth, QWidget* parent)
    : QWidget(parent), from_(from), to_(to), penWidth_(penWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // Room for the pen on every side of the end points.
    const QRect box = QRect(from, to).normalized();
    setGeometry(box.adjusted(-penWidth, -penWidth, penWidth, penWidth));
}

void LineControl::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    // Square caps close the corners where two lines of an arrow meet.
    painter.setPen(QPen(palette().color(QPalette::WindowText), penWidth_, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(from_ - pos(), to_ - pos());
}

}  // namespace platform
