#pragma once
// "Export orbit…": the design handed on to other tools in the formats of
// `repeat-orbit export` (CCSDS OPM, OMM and OEM, a fitted TLE, a GMAT
// script, the ground track as GeoJSON or KML), from the same code, so the
// window's file and the command's are the same for the same design and
// mission. The epoch and the node come from the mission; the track's swath
// too.
//
// Modeless and resizable: the format, the model, the span, the OEM's step,
// the object's name, identifier and catalogue number, then "Export…", which
// asks for the file (in the folder used last, remembered across runs, under
// a name made of the design) and writes it in the background.
//
// Opened from a design window it follows that window's session: the last
// completed design and the mission as they are when "Export…" is pressed.
// Opened for one design (the explorer's details), it exports that design.

#include "session/design_session.h"
#include "export/orbit/export_formats.h"
#include "platform/background_work.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace export_window {

class ExportWindow : public QWidget {
    Q_OBJECT

public:
    explicit ExportWindow(QWidget* parent = nullptr);
    ~ExportWindow() override;

    // Exports the session's last completed design under its mission, as they
    // stand at each export; the window follows the session's changes.
    void FollowSession(std::shared_ptr<orbit::session::DesignSession> session);
    // Exports this one design under this mission.
    void ShowDesign(const orbit::session::CompletedDesign& design, const orbit::session::MissionContext& mission);
    // Shows the window and brings it to the front.
    void ShowWindow();

    // Asks for the file to write, starting from `proposedPath` (the folder
    // used last and the design's name) with the format's `filter`; an empty
    // answer cancels. The window's own asks with a file dialog; tests put in
    // one that needs no dialog.
    using SaveDialog = std::function<QString(QWidget* parent, const QString& proposedPath, const QString& filter)>;
    void SetSaveDialog(SaveDialog dialog);

    QComboBox* FormatBox() const { return formatBox_; }
    QComboBox* ModelBox() const { return modelBox_; }
    QDoubleSpinBox* DaysBox() const { return daysBox_; }  // 0: one repeat cycle
    QDoubleSpinBox* StepBox() const { return stepBox_; }
    QLineEdit* ObjectNameBox() const { return objectNameBox_; }
    QLineEdit* ObjectIdBox() const { return objectIdBox_; }
    QSpinBox* NoradBox() const { return noradBox_; }
    QLabel* DesignLine() const { return designLine_; }
    QLabel* StatusLine() const { return statusLine_; }
    QPushButton* ExportButton() const { return exportButton_; }
    QPushButton* CloseButton() const { return closeButton_; }
    bool IsExporting() const { return exporting_.Pending(); }

    orbit::exports::ExportFormat FormatShown() const;
    // The choices the controls make, the span from `cycleS` for one cycle.
    orbit::exports::ExportChoices ChoicesShown(double cycleS) const;
    // The name "Export…" proposes for the design and mission now shown.
    QString ProposedName() const;

    // The handlers, each run inside the handler boundary.
    void Export_Click();
    void Format_Change();

signals:
    // A file was written completely (after "Export…").
    void Exported(const QString& path);
    // An export failed; its error has been reported.
    void ExportFailed(const QString& error);

private:
    void ShowState();
    const orbit::session::CompletedDesign* Design() const;
    const orbit::session::MissionContext& Mission() const;
    void ExportDone(const QString& path, const QString& error, const QString& fitLine);

    std::shared_ptr<orbit::session::DesignSession> session_;
    orbit::session::DesignSession::Following following_;
    std::optional<orbit::session::CompletedDesign> fixedDesign_;
    orbit::session::MissionContext fixedMission_;
    SaveDialog saveDialog_;

    QComboBox* formatBox_ = nullptr;
    QComboBox* modelBox_ = nullptr;
    QDoubleSpinBox* daysBox_ = nullptr;
    QDoubleSpinBox* stepBox_ = nullptr;
    QLineEdit* objectNameBox_ = nullptr;
    QLineEdit* objectIdBox_ = nullptr;
    QSpinBox* noradBox_ = nullptr;
    QLabel* designLine_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    platform::LatestRequest exporting_{this};
};

// The export window for one design and mission (the explorer's details use
// it): a window of its own, deleted when closed.
ExportWindow* ExportOrbit(QWidget* parent, const orbit::session::CompletedDesign& design,
                          const orbit::session::MissionContext& mission);

// The folder the export's file dialog opens in: the one used last
// (QSettings), else the user's documents.
QString LastExportFolder();
void RememberExportFolder(const QString& filePath);

}  // namespace export_window
