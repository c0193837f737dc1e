#include "app/application.h"

#include "design_window/explorer_link.h"
#include "design_window/orbit_des_vorn.h"
#include "design_window/window_icon.h"

#include <QApplication>

namespace app {

void ConfigureApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral("orbit-designer"));
    // Where the windows' settings (the export's last folder) are kept.
    QApplication::setOrganizationName(QStringLiteral("repeat-orbit"));
    QApplication::setApplicationVersion(QStringLiteral(ORBIT_DESIGNER_VERSION));
    // Ties the windows to the installed menu entry, so a desktop shows the
    // entry's name and icon for them.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORBIT_DESIGNER_APP_ID));
    QApplication::setWindowIcon(design_window::DesignIcon());
    application.setQuitOnLastWindowClosed(true);
    // The explorer's "Use in design window" opens a design window of the
    // program's own when the one it was opened from has been closed.
    design_window::SetDesignWindowOpener(OpenDesignWindow);
}

design_window::OrbitDesVorn* OpenDesignWindow()
{
    auto* window = new design_window::OrbitDesVorn();
    window->show();
    return window;
}

}  // namespace app
