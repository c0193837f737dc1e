#pragma once
// A small widget that shows the relative ground-track pattern of one design,
// drawn by the pattern window's own code and scaled to fit, for windows that
// show a design beside other things (the explorer's details). The picture
// is rendered when first needed (painted, or asked for) at the size the
// widget then has, and kept until the design or the size changes; a minimum
// size keeps it from ever being laid out to nothing.

#include "core/repeat_orbit_solver.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <optional>

namespace pattern {

class PatternView : public QWidget {
    Q_OBJECT

public:
    explicit PatternView(QWidget* parent = nullptr);

    // Shows the pattern of `design`, or nothing for no design.
    void SetDesign(const std::optional<orbit::DesignRecord>& design);

    // The picture as shown, at the screen's pixel ratio, rendered now if the
    // design or the size changed since; null when there is none.
    const QImage& Picture() const;
    // The error the drawing ended with ("Overflow", ...), empty when none.
    const QString& DrawingError() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A new picture (or none, or an error) for the current design and size.
    void Rendered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RenderIfStale() const;

    std::optional<orbit::DesignRecord> design_;
    // A cache of what the design looks like at this size: filled on demand,
    // from a const Picture() too.
    mutable QImage picture_;
    mutable QString error_;
    mutable bool stale_ = true;
};

}  // namespace pattern
