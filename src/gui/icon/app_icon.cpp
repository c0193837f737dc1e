#include "icon/app_icon.h"

#include "core/orbit_error.h"

#include <QPainter>
#include <QSvgRenderer>

#include <string>

// The picture lives in a static library: nothing refers to its resource
// data, so the linker would leave it out unless it is registered by name,
// once.
static void RegisterIconResource()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(app_icon);
        return true;
    }();
    (void)registered;
}

namespace app_icon {

// The largest size an icon theme asks for is 512; anything far beyond is a
// mistake that would only allocate gigabytes.
constexpr int kLargestSizePx = 4096;

QString SvgResourcePath() { return QStringLiteral(":/icons/org.repeatorbit.OrbitDesigner.svg"); }

QImage RenderAppIcon(int sizePx)
{
    if (sizePx < 1 || sizePx > kLargestSizePx)
        throw orbit::OrbitError(orbit::ErrorKind::InvalidArgument,
                                "An icon size must lie between 1 and " + std::to_string(kLargestSizePx) + " pixels");
    RegisterIconResource();
    QSvgRenderer renderer(SvgResourcePath());
    if (!renderer.isValid())
        throw orbit::OrbitError(orbit::ErrorKind::File, "The icon picture is missing from the program");
    QImage image(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    renderer.render(&painter, QRectF(0, 0, sizePx, sizePx));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace app_icon
