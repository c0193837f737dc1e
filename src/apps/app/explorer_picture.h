#pragma once
// The README's picture of the explorer: sun-synchronous orbits between 600
// and 800 km that repeat within 16 days and whose 290 km swath covers the
// equator without gaps, sorted by the worst revisit, one of them selected.

#include <QImage>

namespace app {

// Opens a design window and the explorer from it, works the explorer as a
// user would, waits for its figures, grabs it and closes both windows.
// Empty when the work did not end within a minute.
QImage DrawExplorerPicture();

}  // namespace app
