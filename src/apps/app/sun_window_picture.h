#pragma once
// The manual's picture of the "Sun and Eclipses" window.

#include <QImage>

namespace app {

// Opens a design window, computes N 14, M 3, Q 10 sun-synchronous there, sets
// the mission's epoch (2027-03-21T00:00Z) and node (LTDN 10:30) in its
// Mission window as a user would, opens "Sun and eclipses…", waits for the
// figures, grabs the window and closes everything again. A null image when
// the figures do not arrive within a minute.
QImage DrawSunWindowPicture();

}  // namespace app
