#pragma once
// Builds the design window's controls from the layout table.

namespace design_window {

class OrbitDesVorn;

// Creates every control of the table on `window` in its designed place, font
// and start state, ties labels and spin controls to their boxes, narrows any
// caption the stand-in font would clip, and sets the tab order.
void BuildDesignLayout(OrbitDesVorn& window);

}  // namespace design_window
