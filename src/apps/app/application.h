#pragma once
// Start-up of the window program: the application's identity, and the design
// window shown at start. The program ends when its last window has closed.

class QApplication;

namespace design_window {
class OrbitDesVorn;
}

namespace app {

// Name, version "1.00", desktop entry, icon; quitting when the last window
// closes; how the explorer opens a design window.
void ConfigureApplication(QApplication& application);

// Creates and shows the design window; it deletes itself when closed.
design_window::OrbitDesVorn* OpenDesignWindow();

}  // namespace app
