#pragma once
// RelGround, the "Relative Ground Tracks" window: a drawing surface with a
// user coordinate system (0, 0)-(50, 40) and one "Exit" button. It computes
// nothing; the pattern display draws on it from outside.
//
// There is one instance for the whole run. Showing it loads it when needed
// (Form_Load: designed size and position, coordinate system, empty picture);
// "Exit" or the close box unload it, discarding the picture, and the next
// Show loads it afresh. While it is loaded, every drawing goes on top of what
// is there.
//
// The window is designed in twips and sized at the screen's logical dpi; it
// opens at its designed place unless that would put part of it off the
// screen's available area, and is shrunk to fit a screen smaller than itself.
// The picture is kept in a backing image of the designed client size, so it
// survives covering, minimising and moving; when the window is resized the
// picture is scaled to it, together with its coordinate system.

#include "pattern/drawing_surface.h"
#include "pattern_qt/picture_canvas.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QPushButton;

namespace pattern {

class RelGround : public QWidget, public DrawingSurface {
public:
    // The single instance, created (not loaded) on first use.
    static RelGround& Instance();

    using DrawingSurface::Print;
    void Show() override;
    void DrawWidth(int widthPx) override;
    void Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour) override;
    void CurrentX(float x) override;
    void CurrentY(float y) override;
    void Print(const std::string& text) override;

    void Scale(float x1, float y1, float x2, float y2);
    void Unload();

    bool IsLoaded() const { return canvas_ != nullptr; }
    // How many times Form_Load has run.
    int LoadCount() const { return loadCount_; }
    // The picture as drawn, in the designed client size (times the screen's
    // pixel ratio); a null image while unloaded.
    const QImage& Picture() const { return picture_; }
    QPushButton* LeavePix() const { return leavePix_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    RelGround();
    void Form_Load();
    void LeavePix_Click();
    PictureCanvas& Canvas();
    void PlaceLeavePix();
    void PlaceOnScreen();

    QPushButton* leavePix_ = nullptr;
    QSize designedClient_;    // the client area at the screen's logical dpi
    QSize leavePixMargins_;   // from the button to the right and bottom edges
    QImage picture_;
    std::unique_ptr<PictureCanvas> canvas_;
    int loadCount_ = 0;
};

}  // namespace pattern
