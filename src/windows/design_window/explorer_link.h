#pragma once
// The design window and the explorer. "Find repeat orbits…" opens the
// explorer; its "Use in design window" enters the chosen orbit into the
// design window it was opened from, through the window's own controls, so
// the window's usual events run and it computes as if the user had typed.

#include "explorer/explorer_request.h"

#include <functional>

namespace design_window {

class OrbitDesVorn;

// Writes N, M and Q into their boxes, the inclination (for a chosen one)
// into its boxes, selects the orbit type and computes (selecting another
// type computes by itself; otherwise the compute command is pressed), then
// brings the window to the front with its results.
void EnterDesignChoice(OrbitDesVorn& window, const explorer::DesignChoice& choice);

// Opens a new design window when the one the explorer sends to has been
// closed. The program sets its own; without one a plain window is opened.
using DesignWindowOpener = std::function<OrbitDesVorn*()>;
void SetDesignWindowOpener(DesignWindowOpener opener);

}  // namespace design_window
