#pragma once
// The design window's fonts. Every font asks for "MS Sans Serif", the face
// the window was designed with; where that face is missing the platform's
// sans-serif stands in at the same size and weight.

#include "design_window/layout_table.h"

#include <QFont>

namespace design_window {

// The window's default font size. The platform's sans-serif (DejaVu Sans on a
// Debian desktop) runs wider than the design face at 8 points. At 7.5 points
// the captions keep to their designed rectangles and the two long button
// captions still wrap onto two lines as designed; the two captions still a
// few pixels too wide ("Semi-major axis (km)", "Sun-synchronous") are drawn
// slightly narrowed (caption_fit.h). At 7 points everything would fit
// unaided, but "Display pattern" would no longer wrap and the text would be
// smaller than the design's.
inline constexpr double kDefaultFontPoints = 7.5;

QFont WindowDefaultFont();

// The font a control asks for: its own, or the window default for a zero size.
QFont ControlFont(const FontChoice& choice);

}  // namespace design_window
