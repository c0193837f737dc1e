#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr double kTwipsPerInch = 1440.0;

int Edge(int twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch)); }
}  // namespace

Dpi ScreenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

QRect TwipsToPixels(int left, int top, int width, int height, Dpi dpi)
{
    const int x0 = Edge(left, dpi.x);
    const int y0 = Edge(top, dpi.y);
    const int x1 = Edge(left + width, dpi.x);
    const int y1 = Edge(top + height, dpi.y);
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

QPoint TwipsToPixels(int x, int y, Dpi dpi) { return QPoint(Edge(x, dpi.x), Edge(y, dpi.y)); }

int ScaledPixels(int pixelsAt96, Dpi dpi)
{
    return std::max(1, static_cast<int>(std::lround(pixelsAt96 * dpi.y / 96.0)));
}

}  // namespace platform
