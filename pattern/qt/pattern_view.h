#pragma once
// A small widget that shows the relative ground-track pattern of one design,
// drawn by the pattern window's own code and scaled to fit, for windows that
// show a design beside other things (the explorer's details). It keeps the
// rendered picture and redraws it only when the design or its size changes.

#include "core/repeat_orbit_solver.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <optional>

namespace pattern {

class PatternView : public QWidget {
public:
    explicit PatternView(QWidget* parent = nullptr);

    // Shows the pattern of `design`, or nothing for no design.
    void SetDesign(const std::optional<orbit::DesignRecord>& design);

    // The picture as shown, at the screen's pixel ratio; null when there is none.
    const QImage& Picture() const { return picture_; }
    // The error the drawing ended with ("Overflow", ...), empty when none.
    const QString& DrawingError() const { return error_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Render();

    std::optional<orbit::DesignRecord> design_;
    QImage picture_;
    QString error_;
};

}  // namespace pattern
