// render-app-icon: writes the application's icon as PNG files, one per size,
// rendered from the SVG picture compiled into it. The build uses it to make
// the icon theme's files, so they can never drift from the window's icon.
//
//   render-app-icon SIZE FILE.png [SIZE FILE.png ...]

#include "core/orbit_error.h"
#include "icon/app_icon.h"
#include "platform/file_output.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

constexpr int kUsageError = 2;

QByteArray PngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw orbit::OrbitError(orbit::ErrorKind::File, "The icon could not be encoded as PNG");
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QTextStream err(stderr);
    if (arguments.isEmpty() || arguments.size() % 2 != 0) {
        err << "usage: render-app-icon SIZE FILE.png [SIZE FILE.png ...]\n";
        return kUsageError;
    }
    try {
        for (qsizetype i = 0; i < arguments.size(); i += 2) {
            bool isNumber = false;
            const int sizePx = arguments.at(i).toInt(&isNumber);
            if (!isNumber) {
                err << "render-app-icon: '" << arguments.at(i) << "' is not a size in pixels\n";
                return kUsageError;
            }
            platform::WriteOutputFile(arguments.at(i + 1), PngBytes(app_icon::RenderAppIcon(sizePx)));
        }
    } catch (const orbit::OrbitError& e) {
        err << "render-app-icon: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
