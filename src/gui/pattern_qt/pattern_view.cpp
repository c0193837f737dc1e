#include "pattern_qt/pattern_view.h"

#include "core/orbit_error.h"
#include "pattern/picture_size.h"
#include "pattern_qt/picture_export.h"

#include <QPainter>

#include <algorithm>

namespace pattern {

PatternView::PatternView(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Relative ground-track pattern"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize PatternView::sizeHint() const { return QSize(kPictureWidthPx / 2, kPictureHeightPx / 2); }

// A quarter of the pattern window: its text stays readable.
QSize PatternView::minimumSizeHint() const { return QSize(kPictureWidthPx / 4, kPictureHeightPx / 4); }

void PatternView::SetDesign(const std::optional<orbit::DesignRecord>& design)
{
    design_ = design;
    stale_ = true;
    update();
}

void PatternView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    stale_ = true;
}

const QImage& PatternView::Picture() const
{
    RenderIfStale();
    return picture_;
}

const QString& PatternView::DrawingError() const
{
    RenderIfStale();
    return error_;
}

// The picture keeps the pattern window's proportions and fills as much of the
// widget as they allow, in device pixels so that it stays crisp when scaled.
void PatternView::RenderIfStale() const
{
    if (!stale_)
        return;
    stale_ = false;
    picture_ = QImage();
    error_.clear();
    // Told once the picture is in place, whichever way this return goes.
    struct Tell {
        const PatternView* view;
        ~Tell() { emit const_cast<PatternView*>(view)->Rendered(); }
    } const tell{this};
    if (!design_ || width() <= 0 || height() <= 0)
        return;
    const double ratio = devicePixelRatioF();
    const double fit = std::min(width() / double(kPictureWidthPx), height() / double(kPictureHeightPx));
    const double scale = std::clamp(fit * ratio, kMinPictureScale, kMaxPictureScale);
    try {
        picture_ = RenderPatternImage(*design_, scale);
        picture_.setDevicePixelRatio(ratio);
    } catch (const orbit::OrbitError& e) {
        error_ = QString::fromStdString(e.what());
    }
}

void PatternView::paintEvent(QPaintEvent*)
{
    RenderIfStale();
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!error_.isEmpty()) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, tr("The pattern cannot be drawn: %1").arg(error_));
        return;
    }
    if (picture_.isNull())
        return;
    const QSizeF shown = picture_.deviceIndependentSize();
    const QPointF topLeft((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    painter.drawImage(topLeft, picture_);
}

}  // namespace pattern
