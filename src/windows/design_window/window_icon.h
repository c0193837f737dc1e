#pragma once
// The design window's icon, the application's picture: a yellow field with a
// thin black circle and, on the circle's right side, a small black arrow
// pointing up; at 32 x 32 in the 16-colour palette.

#include <QIcon>
#include <QImage>

namespace design_window {

// The 32 x 32 picture.
QImage DesignIconImage();

// The 32 x 32 picture and smooth renderings at the other common sizes.
QIcon DesignIcon();

}  // namespace design_window
