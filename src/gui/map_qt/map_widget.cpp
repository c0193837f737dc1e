#include "map_qt/map_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace world_map {

namespace {

// One notch of a mouse wheel (120 eighths of a degree) zooms by this factor;
// a key press by the same.
constexpr double kZoomPerNotch = 1.25;
// An arrow key moves the view by this part of its width or height.
constexpr double kPanPerKey = 0.125;

}  // namespace

MapWidget::MapWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MapWidget"));
    setAccessibleName(QStringLiteral("Ground track map"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
}

void MapWidget::SetScene(std::shared_ptr<MapScene> scene, int days)
{
    scene_ = std::move(scene);
    days_ = days;
    view_ = {};
    baseStale_ = true;
    Redraw();
}

void MapWidget::SetDays(int days)
{
    if (days == days_)
        return;
    days_ = days;
    Redraw();
}

void MapWidget::Refresh() { Redraw(); }

void MapWidget::SetDecorated(bool decorated)
{
    decorated_ = decorated;
    baseStale_ = true;
    Redraw();
}

void MapWidget::SetInteractive(bool interactive)
{
    interactive_ = interactive;
    setFocusPolicy(interactive ? Qt::StrongFocus : Qt::NoFocus);
    setCursor(interactive ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void MapWidget::SetView(const Viewport& view)
{
    const Viewport clamped = view.Clamped();
    if (clamped == view_)
        return;
    view_ = clamped;
    baseStale_ = true;
    Redraw();
}

void MapWidget::ZoomAt(double factor, QPointF anchor)
{
    const QRectF frame = Frame();
    const std::optional<LonLat> place = world_map::LonLatAt(frame, view_, anchor);
    Viewport view = view_;
    view.zoom = std::clamp(view_.zoom * factor, 1.0, kMaxZoom);
    if (place) {
        // Keep `place` under the anchor: its offset from the centre, in
        // degrees, shrinks with the zoom. The offset is the short way round.
        const double shrink = view_.zoom / view.zoom;
        const double offsetLon = std::remainder(place->lonDeg - view_.centreLonDeg, 360.0);
        view.centreLonDeg = view_.centreLonDeg + offsetLon - offsetLon * shrink;
        view.centreLatDeg = place->latDeg - (place->latDeg - view_.centreLatDeg) * shrink;
    }
    SetView(view);
}

void MapWidget::ZoomBy(double factor) { ZoomAt(factor, Frame().center()); }

void MapWidget::PanByFraction(double fractionX, double fractionY)
{
    Viewport view = view_;
    view.centreLonDeg += fractionX * view_.WidthDeg();
    view.centreLatDeg -= fractionY * view_.HeightDeg();
    SetView(view);
}

MapStyle MapWidget::Style() const { return {font(), decorated_, decorated_}; }

QRectF MapWidget::Frame() const { return LayOutMap(QRectF(rect()), Style(), this).frame; }

std::optional<LonLat> MapWidget::LonLatAt(QPointF point) const
{
    return world_map::LonLatAt(Frame(), view_, point);
}

QPointF MapWidget::PointAt(const LonLat& place) const
{
    // In the copy of the world nearest the view's centre.
    const double lon = view_.centreLonDeg + std::remainder(place.lonDeg - view_.centreLonDeg, 360.0);
    return DegreesToFrame(Frame(), view_).map(QPointF(lon, place.latDeg));
}

void MapWidget::Redraw()
{
    if (isVisible())
        Render();
    else
        stale_ = true;
}

void MapWidget::Render()
{
    stale_ = false;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (pixels.isEmpty()) {
        picture_ = base_ = QImage();
        return;
    }
    const auto makeImage = [&] {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        // Text in the picture has the size it would have on the widget itself.
        image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
        image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
        return image;
    };
    const bool drawable = scene_ && days_ >= 1 && days_ <= scene_->Map().DayLimit();
    if (drawable && (baseStale_ || base_.size() != pixels || base_.devicePixelRatio() != ratio)) {
        base_ = makeImage();
        PaintMapBase(base_, QRectF(rect()), scene_->World(), view_, Style());
        baseStale_ = false;
    }
    picture_ = makeImage();
    if (drawable) {
        PaintMapOverlay(picture_, QRectF(rect()), *scene_, days_, view_, Style(), 0, &base_);
    } else {
        QPainter painter(&picture_);
        painter.fillRect(rect(), palette::kPaper);
    }
    ++renderCount_;
    update();
}

void MapWidget::paintEvent(QPaintEvent*)
{
    if (stale_ || picture_.isNull() || picture_.devicePixelRatio() != devicePixelRatioF())
        Render();  // first shown, or moved to a screen of another pixel ratio
    QPainter painter(this);
    if (picture_.isNull())
        return;
    painter.drawImage(QPointF(0, 0), picture_);
}

void MapWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stale_)
        Render();
}

void MapWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    baseStale_ = true;
    Redraw();
}

void MapWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        baseStale_ = true;
        Redraw();
    }
}

void MapWidget::wheelEvent(QWheelEvent* event)
{
    if (!interactive_ || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    ZoomAt(std::pow(kZoomPerNotch, event->angleDelta().y() / 120.0), event->position());
    event->accept();
}

void MapWidget::mousePressEvent(QMouseEvent* event)
{
    if (!interactive_ || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragFrom_ = event->position();
    dragView_ = view_;
    setCursor(Qt::ClosedHandCursor);
}

void MapWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (dragFrom_) {
        const QRectF frame = Frame();
        if (!frame.isEmpty()) {
            const QPointF moved = event->position() - *dragFrom_;
            Viewport view = dragView_;
            view.centreLonDeg -= moved.x() / frame.width() * dragView_.WidthDeg();
            view.centreLatDeg += moved.y() / frame.height() * dragView_.HeightDeg();
            SetView(view);
        }
    }
    pointer_ = event->position();
    ReportPointer(event->position());
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragFrom_ && event->button() == Qt::LeftButton) {
        dragFrom_.reset();
        setCursor(Qt::OpenHandCursor);
    }
    QWidget::mouseReleaseEvent(event);
}

void MapWidget::keyPressEvent(QKeyEvent* event)
{
    if (!interactive_) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomBy(kZoomPerNotch);
        break;
    case Qt::Key_Minus:
        ZoomBy(1 / kZoomPerNotch);
        break;
    case Qt::Key_Left:
        PanByFraction(-kPanPerKey, 0);
        break;
    case Qt::Key_Right:
        PanByFraction(kPanPerKey, 0);
        break;
    case Qt::Key_Up:
        PanByFraction(0, -kPanPerKey);
        break;
    case Qt::Key_Down:
        PanByFraction(0, kPanPerKey);
        break;
    case Qt::Key_0:
    case Qt::Key_Home:
        SetView({});
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // The view moved under a pointer that stood still: the place under it
    // is another now.
    if (pointer_)
        ReportPointer(*pointer_);
}

void MapWidget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    pointer_.reset();
    emit PointerLeft();
}

void MapWidget::ReportPointer(QPointF point)
{
    if (const std::optional<LonLat> place = LonLatAt(point))
        emit PointerMoved(place->lonDeg, place->latDeg);
    else
        emit PointerLeft();
}

}  // namespace world_map
