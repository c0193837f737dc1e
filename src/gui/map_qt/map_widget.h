#pragma once
// A widget that shows a ground track map: the window's map, and a small map
// wherever else one is wanted.
//
// The picture is drawn into an image at the screen's pixel ratio, on every
// core, when the size, the days, the swath or the view change, and
// paintEvent only copies it,
// so covering and uncovering the window costs nothing. The sea, the land and
// the graticule are kept apart and drawn again only for a new size or view.
//
// When interactive (the default), the mouse wheel zooms about the pointer,
// dragging pans, and with the focus the keys do the same: + and - zoom,
// the arrows pan, 0 or Home shows the whole world again.

#include "map_qt/map_painter.h"
#include "map_qt/map_scene.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <optional>

namespace world_map {

class MapWidget : public QWidget {
    Q_OBJECT

public:
    explicit MapWidget(QWidget* parent = nullptr);

    // Shows `days` days of `scene` (nothing for a null scene), whole world.
    void SetScene(std::shared_ptr<MapScene> scene, int days);
    MapScene* Scene() const { return scene_.get(); }
    void SetDays(int days);
    int Days() const { return days_; }
    // Redraws after the scene itself changed (its swath).
    void Refresh();

    // Whether the title and the legend are drawn around the map.
    void SetDecorated(bool decorated);
    void SetInteractive(bool interactive);

    const Viewport& View() const { return view_; }
    void SetView(const Viewport& view);
    // Zooms by `factor`, keeping the place under `anchor` (widget coordinates)
    // where it is.
    void ZoomAt(double factor, QPointF anchor);
    void ZoomBy(double factor);
    void PanByFraction(double fractionX, double fractionY);

    // The place on the Earth under a point of the widget, when on the map.
    std::optional<LonLat> LonLatAt(QPointF point) const;
    // The widget point where a place on the Earth is drawn.
    QPointF PointAt(const LonLat& place) const;
    QRectF Frame() const;

    // The picture as drawn, at the widget's size times its pixel ratio.
    const QImage& Picture() const { return picture_; }
    // How many times the picture has been drawn.
    int RenderCount() const { return renderCount_; }
    MapStyle Style() const;

    QSize sizeHint() const override { return {800, 420}; }
    QSize minimumSizeHint() const override { return {240, 120}; }

signals:
    // The pointer is over this place of the map.
    void PointerMoved(double lonDeg, double latDeg);
    // The pointer has left the map.
    void PointerLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Draws the picture now when shown, else at the next showing.
    void Redraw();
    void Render();
    void ReportPointer(QPointF point);

    std::shared_ptr<MapScene> scene_;
    int days_ = 1;
    Viewport view_;
    bool decorated_ = true;
    bool interactive_ = true;
    std::optional<QPointF> dragFrom_;
    // Where the pointer was last seen over the widget; none once it left.
    std::optional<QPointF> pointer_;
    Viewport dragView_;
    QImage picture_;
    // The sea, land and graticule, kept while the size and view stay.
    QImage base_;
    bool baseStale_ = true;
    bool stale_ = true;
    int renderCount_ = 0;
};

}  // namespace world_map
