#pragma once
// A solid straight line drawn on a window, as a control of its own: it sits
// over the bounding box of its two end points, takes no focus and lets mouse
// clicks through to what lies under it.

#include <QPoint>
#include <QWidget>

namespace platform {

class LineControl : public QWidget {
    Q_OBJECT

public:
    // from and to are in the parent's coordinates; penWidth in pixels.
    LineControl(QPoint from, QPoint to, int penWidth, QWidget* parent = nullptr);

    QPoint From() const { return from_; }
    QPoint To() const { return to_; }
    int PenWidth() const { return penWidth_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;
    QPoint to_;
    int penWidth_;
};

}  // namespace platform
