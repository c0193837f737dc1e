// render-app-icon: writes the application's icon as PNG files, one per size,
// rendered from the SVG picture compiled into it. The build uses it to make
// the icon theme's files, so they can never drift from the window's icon.
//
//   render-app-icon SIZE FILE.png [SIZE FILE.png ...]

#include "core/orbit_error.h"
#include "icon/app_icon.h"
#include "platform/picture_output.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {
constexpr int kUsageError = 2;
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
            platform::WritePng(app_icon::RenderAppIcon(sizePx), arguments.at(i + 1));
        }
    } catch (const orbit::OrbitError& e) {
        err << "render-app-icon: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
