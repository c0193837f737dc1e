#pragma once
// The drawing state of a picture in user coordinates, and the painting of
// lines and text with it onto a QPainter. Shared by the window's backing
// image and the exported files, so both show the same picture.

#include "pattern/qb_color.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

namespace pattern {

class PictureCanvas {
public:
    // `logicalSize` is the picture's size in logical pixels (the unit of pen
    // widths); the user coordinate system starts as the pixel grid.
    PictureCanvas(QSizeF logicalSize, QColor foreColor, QFont font);

    // (x1, y1) become the user coordinates of the top-left corner, (x2, y2)
    // those of the bottom-right corner.
    void Scale(float x1, float y1, float x2, float y2);
    void DrawWidth(int widthPx);
    void CurrentX(float x) { currentX_ = x; }
    void CurrentY(float y) { currentY_ = y; }

    void Line(QPainter& painter, float x1, float y1, float x2, float y2, std::optional<Rgb> colour) const;
    void Print(QPainter& painter, const QString& text);

    QColor ForeColor() const { return foreColor_; }
    const QFont& Font() const { return font_; }
    QPointF ToLogical(double x, double y) const;

private:
    QSizeF size_;
    QColor foreColor_;
    QFont font_;
    double left_ = 0, top_ = 0, unitX_ = 1, unitY_ = 1;  // logical pixels per user unit
    int drawWidthPx_ = 1;
    float currentX_ = 0, currentY_ = 0;
};

}  // namespace pattern
