#pragma once
// The "Mission" window: what the design window cannot show and the other
// windows need. The epoch (UTC date and time of day 0's first ascending
// node), the node as a mean local time of the ascending or descending node or
// a right ascension in EME2000, the swath width, the satellites sharing the
// orbit, the passes counted and the daylight threshold of the looks.
//
// Each change goes into the design session at once (SetMission), so the
// map, the Sun window and the export read the same values; below the
// controls the node's mean and true local times and its drift a day follow
// the last completed design. A mission set by another window is shown here
// as it arrives.
//
// One per design window, modeless and resizable; every control is reached
// with Tab and its underlined letter, Esc closes.

#include "session/design_session.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace mission_window {

class MissionWindow : public QWidget {
    Q_OBJECT

public:
    explicit MissionWindow(std::shared_ptr<orbit::session::DesignSession> session, QWidget* parent = nullptr);
    ~MissionWindow() override;

    // Shows the window with the session's mission and brings it to the front.
    void ShowWindow();

    QCheckBox* EpochCheck() const { return epochCheck_; }
    // The epoch as `--epoch` takes it: YYYY-MM-DDThh:mm[:ss[.fff]]Z.
    QLineEdit* EpochEdit() const { return epochEdit_; }
    // 0 "Mean LTAN", 1 "Mean LTDN", 2 "RAAN (EME2000)"
    QComboBox* NodeKindBox() const { return nodeKindBox_; }
    // The node's mean local time as `--ltan` and `--ltdn` take it: HH:MM[:SS].
    QLineEdit* NodeTimeEdit() const { return nodeTimeEdit_; }
    QDoubleSpinBox* RaanBox() const { return raanBox_; }
    QDoubleSpinBox* SwathBox() const { return swathBox_; }
    QSpinBox* SatellitesBox() const { return satellitesBox_; }
    // 0 both, 1 ascending, 2 descending
    QComboBox* PassesBox() const { return passesBox_; }
    QCheckBox* SunMinCheck() const { return sunMinCheck_; }
    QDoubleSpinBox* SunMinBox() const { return sunMinBox_; }
    QLabel* NodeFigures() const { return nodeFigures_; }
    // Why a typed epoch or local time was not taken; empty when all are.
    QLabel* InputProblem() const { return inputProblem_; }
    QPushButton* CloseButton() const { return closeButton_; }

    // The mission the controls show. Throws OrbitError (Usage) naming the
    // box whose text is not an epoch or a local time.
    orbit::session::MissionContext MissionShown() const;

    // The handler of every control: the controls' mission into the session.
    void Mission_Change();

signals:
    // The node's figures were written again (after a design or a mission).
    void FiguresShown();

private:
    void SessionChanged();
    void ShowMission(const orbit::session::MissionContext& mission);
    void ShowNodeFigures();
    void ShowEnabledStates();

    std::shared_ptr<orbit::session::DesignSession> session_;
    orbit::session::DesignSession::Following following_;
    bool applying_ = false;  // the session is being told of this window's own change

    QCheckBox* epochCheck_ = nullptr;
    QLineEdit* epochEdit_ = nullptr;
    QComboBox* nodeKindBox_ = nullptr;
    QLineEdit* nodeTimeEdit_ = nullptr;
    QDoubleSpinBox* raanBox_ = nullptr;
    QDoubleSpinBox* swathBox_ = nullptr;
    QSpinBox* satellitesBox_ = nullptr;
    QComboBox* passesBox_ = nullptr;
    QCheckBox* sunMinCheck_ = nullptr;
    QDoubleSpinBox* sunMinBox_ = nullptr;
    QLabel* nodeFigures_ = nullptr;
    QLabel* inputProblem_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};


}  // namespace mission_window
