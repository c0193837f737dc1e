#pragma once
// The design window's right-click menu. It adds nothing visible to the window:
// the menu opens on a right-click on the window's background, and each entry's
// shortcut works with the menu closed. Each command is one AddMenuCommand line
// in InstallContextMenu.

#include <QKeySequence>
#include <QString>

#include <functional>

class QAction;
class QWidget;

namespace export_window {
class ExportWindow;
}
namespace help {
class HelpWindow;
}
namespace mission_window {
class MissionWindow;
}
namespace sun_window {
class SunWindow;
}

namespace design_window {

class OrbitDesVorn;

// Adds the menu and its shortcuts to `window`.
void InstallContextMenu(OrbitDesVorn& window);

// Adds one entry with its shortcut. `command` runs inside the handler
// boundary. With `enabledWith`, the entry (and so its shortcut) is enabled
// exactly while that control is.
QAction* AddMenuCommand(OrbitDesVorn& window, const QString& text, const QKeySequence& shortcut,
                        std::function<void(OrbitDesVorn&)> command, QWidget* enabledWith = nullptr);

// "Ground track map…": the map of this window's last completed design,
// following the window's design session; enabled with "Display pattern".
void GroundTrackMap_Click(OrbitDesVorn& window);

// "Find repeat orbits…": the explorer, sending its choices to this window
// (explorer_link.cpp).
void FindRepeatOrbits_Click(OrbitDesVorn& window);

// "Mission…" (Ctrl+I): the window's Mission window, which sets the session's
// mission context.
void Mission_Click(OrbitDesVorn& window);

// "Sun and eclipses…" (Ctrl+B): beta, eclipses and the light of the passes
// for the session's design and mission.
void SunAndEclipses_Click(OrbitDesVorn& window);

// "Export orbit…" (Ctrl+Shift+E): the session's design in the formats of
// `repeat-orbit export`.
void ExportOrbit_Click(OrbitDesVorn& window);

// "Help" (F1): the user manual. "About…" (Shift+F1): version, licence, the
// land data's notice.
void Help_Click(OrbitDesVorn& window);
void About_Click(OrbitDesVorn& window);

// Each design window's own windows, made on first use (owned_windows.h).
mission_window::MissionWindow& MissionWindowOf(OrbitDesVorn& window);
sun_window::SunWindow& SunWindowOf(OrbitDesVorn& window);
export_window::ExportWindow& ExportWindowOf(OrbitDesVorn& window);
help::HelpWindow& HelpWindowOf(OrbitDesVorn& window);

}  // namespace design_window
