#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// The start of a span of `length` within [first, first + room): as designed
// when it fits, else moved back in, else at the start.
int PlaceSpan(int designed, int length, int first, int room)
{
    return std::max(first, std::min(designed, first + room - length));
}

}  // namespace

WindowPlacement PlaceOnScreen(QPoint designedFrameTopLeft, QSize designedClient, QMargins frame,
                              const QRect& available, QSize minimumClient)
{
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize room = (available.size() - frameExtra).expandedTo(QSize(0, 0));

    // Shrunk in whole pixels along the tighter side, the other side in
    // proportion, rounded down so that it still fits.
    QSize client = designedClient;
    if (!client.isEmpty() && (client.width() > room.width() || client.height() > room.height())) {
        const long long w = client.width(), h = client.height();
        if (room.width() * h <= room.height() * w)
            client = QSize(room.width(), static_cast<int>(h * room.width() / w));
        else
            client = QSize(static_cast<int>(w * room.height() / h), room.height());
    }
    client = client.expandedTo(minimumClient);

    const QSize outer = client + frameExtra;
    return {QPoint(PlaceSpan(designedFrameTopLeft.x(), outer.width(), available.left(), available.width()),
                   PlaceSpan(designedFrameTopLeft.y(), outer.height(), available.top(), available.height())),
            client};
}

QMargins FrameMarginsOf(const QWidget& window)
{
    const QRect outer = window.frameGeometry(), inner = window.geometry();
    if (outer != inner) {
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                        outer.bottom() - inner.bottom());
    }
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    return QMargins(border, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window) + border, border, border);
}

void SizeToScreen(QWidget& window, QSize wanted)
{
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        window.resize(wanted);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize needed = window.minimumSizeHint().expandedTo(window.minimumSize());
    window.resize(PlaceOnScreen(available.topLeft(), wanted, FrameMarginsOf(window), available, needed).clientSize);
}

}  // namespace platform
