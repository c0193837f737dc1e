#pragma once
// The "Ground Track Map" window: the last completed design's ground track over
// the continents, day by day, with the instrument's swath.
//
// One instance for the whole run, modeless and resizable: the number of days
// shown (1 to Q), the swath width, the map (wheel to zoom, drag to pan), a
// status line with the latitude and longitude under the pointer, and "Save
// picture…" (PNG or SVG, as the window shows it, at 1600 x 800 pixels,
// drawn and written in the background so the window goes on answering).
// Every control is reachable with Tab; the map takes + - 0 and the arrows.

#include "map/ground_track_map.h"

#include <QFutureWatcher>
#include <QString>
#include <QWidget>

#include <functional>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace world_map {

class MapWidget;

class GroundTrackMapWindow : public QWidget {
    Q_OBJECT

public:
    // The single instance, created (not shown) on first use.
    static GroundTrackMapWindow& Instance();
    // A picture being saved is finished first.
    ~GroundTrackMapWindow() override;

    // Shows the window with the whole cycle of `design` (the swath width as
    // it was) and brings it to the front. Throws orbit::OrbitError when the
    // land cannot be read or the design has no track to draw; the window then
    // stays as it was.
    void ShowDesign(const MapDesign& design);

    // Asks for the file to save to; an empty answer cancels. The window's own
    // asks with a file dialog; tests put in one that needs no dialog.
    using SaveDialog = std::function<QString(QWidget* parent)>;
    void SetSaveDialog(SaveDialog dialog);

    QSpinBox* DaysBox() const { return daysBox_; }
    QDoubleSpinBox* SwathBox() const { return swathBox_; }
    MapWidget* Map() const { return map_; }
    QPushButton* SaveButton() const { return saveButton_; }
    QPushButton* CloseButton() const { return closeButton_; }
    QLabel* StatusLine() const { return statusLine_; }
    // Whether a picture is being drawn and written in the background.
    bool IsSaving() const { return saving_.isRunning(); }

    // The handlers, each run inside the handler boundary.
    void DaysBox_Change(int days);
    void SwathBox_Change(double swathKm);
    void SavePicture_Click();

private:
    GroundTrackMapWindow();
    void ShowPointer(double lonDeg, double latDeg);
    void ShowHint();
    void PictureSaved();

    QSpinBox* daysBox_ = nullptr;
    QDoubleSpinBox* swathBox_ = nullptr;
    MapWidget* map_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QLabel* statusLine_ = nullptr;
    SaveDialog saveDialog_;
    // The file being written and, when it is done, what went wrong (nothing).
    QString savingPath_;
    QFutureWatcher<QString> saving_;
};

// "Ground track map…" as the design window calls it.
void OpenGroundTrackMap(const MapDesign& design);

// The status line's words for a place: "Latitude 12.34° N, longitude 5.00° W".
QString PlaceText(double lonDeg, double latDeg);

}  // namespace world_map
