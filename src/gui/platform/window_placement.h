#pragma once
// Where a top-level window opens: at its designed place when the whole window,
// frame included, fits the screen's available area; otherwise moved into that
// area, and shrunk (keeping its proportions) when it is larger, so that its
// title bar and every control on it can be reached.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace platform {

struct WindowPlacement {
    QPoint frameTopLeft;  // what QWidget::move takes for a window
    QSize clientSize;     // what QWidget::resize takes
};

// `designedFrameTopLeft` and `available` in screen coordinates. The client is
// never made smaller than `minimumClient`; a window that cannot fit even then
// keeps its top-left corner in the area.
WindowPlacement PlaceOnScreen(QPoint designedFrameTopLeft, QSize designedClient, QMargins frame,
                              const QRect& available, QSize minimumClient);

// The frame the window manager draws round a top-level window. It is known
// once the window has been shown; before that, room for a title bar and thin
// borders.
QMargins FrameMarginsOf(const QWidget& window);

// Gives a top-level window the client size `wanted`, or a smaller one in the
// same proportions where the available area of its screen is smaller (never
// below what its layout needs), so that at a high scaling on a small screen
// every control stays in reach. Where it opens is left to the window manager.
void SizeToScreen(QWidget& window, QSize wanted);

}  // namespace platform
