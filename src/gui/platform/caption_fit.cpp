#include "platform/caption_fit.h"

#include <QFontMetricsF>
#include <QRectF>

namespace platform {

namespace {
constexpr int kNarrowestStretch = 70;
constexpr int kStretchStep = 5;
// Layout widths are fractional; a hair over the edge draws nothing outside it.
constexpr qreal kTolerance = 0.01;
}  // namespace

bool CaptionFitsWidth(const QFont& font, const QString& text, QSize area, bool wordWrap)
{
    const QFontMetricsF metrics(font);
    const int flags = wordWrap ? int(Qt::TextWordWrap) : 0;
    // Laid out in a generous height so only the width decides.
    const QRectF room(0, 0, area.width(), 1000.0 * area.height() + 1000.0);
    return metrics.boundingRect(room, flags, text).width() <= area.width() + kTolerance;
}

QFont FitCaptionFont(const QFont& font, const QString& text, QSize area, bool wordWrap)
{
    if (CaptionFitsWidth(font, text, area, wordWrap))
        return font;
    QFont narrowed = font;
    for (int stretch = QFont::Unstretched - kStretchStep; stretch >= kNarrowestStretch; stretch -= kStretchStep) {
        narrowed.setStretch(stretch);
        if (CaptionFitsWidth(narrowed, text, area, wordWrap))
            return narrowed;
    }
    return narrowed;
}

}  // namespace platform
