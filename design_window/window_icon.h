#pragma once
// The design window's icon, drawn by the program: a yellow field with a thin
// black circle and, on the circle's right side, a small black arrow pointing
// up, in the 16-colour palette.

#include <QIcon>
#include <QImage>

namespace design_window {

// The 32 x 32 picture.
QImage DesignIconImage();

QIcon DesignIcon();

}  // namespace design_window
