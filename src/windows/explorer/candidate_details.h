#pragma once
// The details of the selected candidate, beside the table: its name, the
// design's elements under the captions the design window gives them, its
// relative ground-track pattern and a small map of its ground track with the
// swath.

#include "explorer/candidate_set.h"
#include "session/design_session.h"

#include <QWidget>

#include <cstddef>
#include <optional>

class QFormLayout;
class QLabel;
class QPushButton;

namespace pattern {
class PatternView;
}
namespace world_map {
class MapWidget;
}

namespace explorer {

class CoveragePane;

class CandidateDetails : public QWidget {
    Q_OBJECT

public:
    explicit CandidateDetails(QWidget* parent = nullptr);

    // Shows row `row` of `set`; nothing for no set.
    void ShowCandidate(const CandidateSet* set, std::size_t row);
    void Clear();

    QLabel* Title() const { return title_; }
    // The text beside each caption, in the order shown ("Nr of revs" first).
    QString FieldText(const QString& caption) const;
    pattern::PatternView* Pattern() const { return pattern_; }
    world_map::MapWidget* Map() const { return map_; }
    // What the map shows, or why there is no map.
    QLabel* MapCaption() const { return mapCaption_; }
    // With a swath: the coverage by latitude.
    CoveragePane* Coverage() const { return coverage_; }
    // "Export orbit…": the candidate shown, under the mission the search was
    // made for, in the formats of `repeat-orbit export`; disabled with none.
    QPushButton* ExportButton() const { return exportButton_; }
    void ExportOrbit_Click();

signals:
    // The details now show a candidate: its name, its figures, its pattern
    // and map are in place (the pictures render when first painted).
    void CandidateShown();

private:
    QLabel* title_ = nullptr;
    QFormLayout* fields_ = nullptr;
    pattern::PatternView* pattern_ = nullptr;
    world_map::MapWidget* map_ = nullptr;
    QLabel* mapCaption_ = nullptr;
    CoveragePane* coverage_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    std::optional<orbit::session::CompletedDesign> shown_;
    orbit::session::MissionContext shownMission_;
};

}  // namespace explorer
