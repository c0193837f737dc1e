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

}  // namespace design_window
