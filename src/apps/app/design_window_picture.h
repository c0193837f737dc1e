#pragma once
// The README's picture of the design window after a computation.

#include <QImage>

namespace app {

// Opens a design window, works it as a user would (N down to 14, Q up to 3,
// then "Sun-synchronous", which computes at once), grabs its client area and
// closes it again.
QImage DrawDesignWindowPicture();

}  // namespace app
