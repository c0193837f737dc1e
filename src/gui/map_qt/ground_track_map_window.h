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
// With the session's mission epoch and node, the longitudes are true and
// "Night" shades the dark side at the instant of the time slider, which runs
// across the days offered; without an epoch those controls are disabled.
//
// Opened from a design window, it follows that window's design session: each
// newly completed design is drawn at once, and the window's title names the
// design shown, marked as the last completed one while the design window
// shows none (after an edit or a failed computation). The swath width follows
// the session's mission: a new width set there is drawn at once (the box
// may still be changed here for a look of the map's own).

#include "map/ground_track_map.h"
#include "platform/background_work.h"
#include "session/design_session.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QSlider;
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

    // Shows the last completed design of `session` as ShowDesign does and
    // follows the session from then on (in place of any it followed). An
    // open window redraws for each new completed design; a hidden one
    // catches up when it is shown again through here.
    void FollowSession(std::shared_ptr<orbit::session::DesignSession> session);

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
    QCheckBox* NightBox() const { return nightBox_; }
    // Minutes after day 0's first ascending node, across the days offered.
    QSlider* TimeSlider() const { return timeSlider_; }
    // The same instant as a UTC date and time.
    QDateTimeEdit* TimeBox() const { return timeBox_; }
    // Whether a picture is being drawn and written in the background.
    bool IsSaving() const { return saving_.Pending(); }

    // The handlers, each run inside the handler boundary.
    void DaysBox_Change(int days);
    void SwathBox_Change(double swathKm);
    void SavePicture_Click();
    void NightBox_Change(bool shown);
    void TimeSlider_Change(int minutes);
    void TimeBox_Change(const QDateTime& utc);

private:
    GroundTrackMapWindow();
    void SessionChanged();
    void FollowMissionSwath();
    void DrawDesign(const MapDesign& design);
    // The session's last completed design with the mission's epoch and node.
    MapDesign SessionDesign() const;
    void ShowNight();
    void ShowTitle();
    void ShowPointer(double lonDeg, double latDeg);
    void ShowHint();
    void PictureSaved(const QString& error);

    QSpinBox* daysBox_ = nullptr;
    QDoubleSpinBox* swathBox_ = nullptr;
    MapWidget* map_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QCheckBox* nightBox_ = nullptr;
    QSlider* timeSlider_ = nullptr;
    QDateTimeEdit* timeBox_ = nullptr;
    SaveDialog saveDialog_;
    std::shared_ptr<orbit::session::DesignSession> session_;
    orbit::session::DesignSession::Following following_;
    std::uint64_t shownDesignNumber_ = 0;  // of the session's designs; 0: none of them
    // The mission's swath last put into the box, once one has been.
    std::optional<std::optional<double>> missionSwathKm_;
    std::string shownDesignName_;
    // The mission's epoch and node as last drawn, to tell a change of them.
    std::string shownEpochKey_;
    QString savingPath_;  // the file being written
    platform::LatestRequest saving_{this};
};

// "Ground track map…" as the design window calls it: the map of the
// session's last completed design, following the session.
void OpenGroundTrackMap(std::shared_ptr<orbit::session::DesignSession> session);

// The window's title for a design: "Ground Track Map — N 14, M 1, Q 3,
// sun-synchronous", or "Ground Track Map — last completed design: …" when
// the design window no longer shows it.
QString MapWindowTitle(const std::string& designName, bool shownInDesignWindow);

// The status line's words for a place: "Latitude 12.34° N, longitude 5.00° W".
QString PlaceText(double lonDeg, double latDeg);

// The status line's words for a point of the track: "track of day 1,
// 2027-03-22T03:25:10Z" with an epoch, "track of day 1, 03:25:10 into the
// day" without.
QString TrackTimeText(const GroundTrackMap& map, const TrackPoint& point);

}  // namespace world_map
