#pragma once
// The application's icon, drawn from the one SVG picture compiled into the
// program: the window icon, the menu entry's icon files and the packages all
// show this same picture.

#include <QImage>
#include <QString>

namespace app_icon {

// The resource path of the SVG picture.
QString SvgResourcePath();

// The picture rendered at `sizePx` x `sizePx` with smooth edges, on an opaque
// yellow field. Throws orbit::OrbitError (InvalidArgument) for a size below 1.
QImage RenderAppIcon(int sizePx);

}  // namespace app_icon
