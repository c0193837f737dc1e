#pragma once
// The explorer's inputs and filters, each with its label and unit: the
// orbit type (sun-synchronous, or an inclination in degrees and tenths), the
// altitude band, the cycle lengths and an optional swath; then the filters on
// what was found. It reads them into an ExplorerRequest and a CandidateFilter
// and says when either has been edited; it computes nothing itself.

#include "explorer/explorer_request.h"

#include <QString>
#include <QWidget>

#include <optional>

class QCheckBox;
class QDoubleSpinBox;
class QRadioButton;
class QSpinBox;

namespace explorer {

class ExplorerInputs : public QWidget {
    Q_OBJECT

public:
    explicit ExplorerInputs(QWidget* parent = nullptr);

    // The request the inputs make, or what is wrong with them.
    struct Reading {
        std::optional<ExplorerRequest> request;
        QString problem;
    };
    Reading Request() const;
    CandidateFilter Filter() const;

    QRadioButton* SunSynchronousOption() const { return sunSync_; }
    QRadioButton* InclinationOption() const { return inclined_; }
    QDoubleSpinBox* InclinationBox() const { return inclination_; }
    QDoubleSpinBox* AltitudeFromBox() const { return altitudeFrom_; }
    QDoubleSpinBox* AltitudeToBox() const { return altitudeTo_; }
    QSpinBox* DaysFromBox() const { return daysFrom_; }
    QSpinBox* DaysToBox() const { return daysTo_; }
    QDoubleSpinBox* SwathBox() const { return swath_; }
    QDoubleSpinBox* GridSpacingBox() const { return gridSpacing_; }
    QSpinBox* SubcycleBox() const { return subcycle_; }
    QCheckBox* EquatorWithoutGapsBox() const { return equatorWithoutGaps_; }

    QWidget* FirstInput() const;
    QWidget* LastInput() const;

signals:
    // Any input of the search, the swath included.
    void RequestEdited();
    // Any filter.
    void FilterEdited();

private:
    void FollowSwath();

    QRadioButton* sunSync_ = nullptr;
    QRadioButton* inclined_ = nullptr;
    QDoubleSpinBox* inclination_ = nullptr;
    QDoubleSpinBox* altitudeFrom_ = nullptr;
    QDoubleSpinBox* altitudeTo_ = nullptr;
    QSpinBox* daysFrom_ = nullptr;
    QSpinBox* daysTo_ = nullptr;
    QDoubleSpinBox* swath_ = nullptr;
    QDoubleSpinBox* gridSpacing_ = nullptr;
    QSpinBox* subcycle_ = nullptr;
    QCheckBox* equatorWithoutGaps_ = nullptr;
};

}  // namespace explorer
