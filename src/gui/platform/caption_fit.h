#pragma once
// Captions are designed for a narrow 8-point sans-serif. Where the platform's
// sans-serif stands in for it and runs wider, a caption that would be clipped
// is drawn with the same size and weight, narrowed just enough to fit.

#include <QFont>
#include <QSize>
#include <QString>

namespace platform {

// Whether text laid out in `font` fits the width of `area`, wrapping at word
// boundaries when wordWrap is set (a word longer than a line never fits).
bool CaptionFitsWidth(const QFont& font, const QString& text, QSize area, bool wordWrap);

// `font`, or the widest narrowing of it down to 70 % at which the caption
// fits; the narrowest tried when none does.
QFont FitCaptionFont(const QFont& font, const QString& text, QSize area, bool wordWrap);

}  // namespace platform
