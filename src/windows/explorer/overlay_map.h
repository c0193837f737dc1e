#pragma once
// Several orbits' ground tracks on one world map, each in its own colour:
// the first day of each, so that where the tracks of different orbits run
// apart stays readable. The land comes from the map's installed world; the
// map keeps the 2 : 1 shape of its plane inside whatever size it is given,
// and is drawn at the screen's pixel ratio so it stays crisp when scaled.

#include "map/map_geometry.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

namespace explorer {

class OverlayMap : public QWidget {
    Q_OBJECT

public:
    struct Orbit {
        QString name;
        QColor colour;
        std::vector<world_map::Polyline> track;  // in degrees, cut at the map's edges
    };

    explicit OverlayMap(QWidget* parent = nullptr);

    void SetOrbits(std::vector<Orbit> orbits);
    const std::vector<Orbit>& Orbits() const { return orbits_; }
    // The picture as last drawn, at the widget's size times its pixel ratio.
    const QImage& Picture() const { return picture_; }

    QSize sizeHint() const override { return {720, 360}; }
    QSize minimumSizeHint() const override { return {240, 120}; }

signals:
    // A new picture is in place.
    void Rendered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Render();

    std::vector<Orbit> orbits_;
    QImage picture_;
    bool stale_ = true;
};

}  // namespace explorer
