#pragma once
// The selected orbit's coverage by latitude in the details: the chart of
// `repeat-orbit coverage` (longest and mean wait, share of each parallel
// seen) for the explorer's swath and the mission's satellites and passes.
// The table behind it takes from milliseconds to a good part of a second for
// a long cycle, so it is worked out in the background; a newer selection
// drops an older one's.

#include "analysis/swath_coverage.h"
#include "explorer/candidate_set.h"
#include "platform/background_work.h"

#include <QWidget>

#include <cstddef>
#include <optional>

class QLabel;
class QChartView;

namespace explorer {

class CoveragePane : public QWidget {
    Q_OBJECT

public:
    explicit CoveragePane(QWidget* parent = nullptr);

    // Row `row` of `set`; without a swath the pane hides.
    void ShowCandidate(const CandidateSet* set, std::size_t row);
    void Clear();

    QChartView* ChartView() const { return view_; }
    // The table the chart shows, once worked out.
    const std::optional<orbit::analysis::CoverageTable>& Table() const { return table_; }

signals:
    // The chart now shows the selected orbit's coverage, or why it cannot.
    void ChartShown();

private:
    QChartView* view_ = nullptr;
    QLabel* note_ = nullptr;
    std::optional<orbit::analysis::CoverageTable> table_;
    platform::LatestRequest work_{this};
};

}  // namespace explorer
