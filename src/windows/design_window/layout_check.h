#pragma once
// What the layout builder takes for granted of the layout table, checked
// before a single control is made: a mistake in the table then stops the
// window at once with a message naming the row, in every build type, rather
// than leaving a label without its box or a spin control without its buddy.

#include "design_window/layout_table.h"

#include <span>

namespace design_window {

// Throws std::logic_error naming the first faulty row: a name used twice, a
// tab index used twice, option buttons out of their index order or before
// their frame, a row tied to a control the table does not have, or a spin
// control tied to anything but a text box.
void CheckLayoutTable(std::span<const ControlRow> controls, std::span<const LineRow> lines);

}  // namespace design_window
