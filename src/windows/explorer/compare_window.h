#pragma once
// "Compare": two to four candidates side by side, one column each: their
// elements under the design window's captions, their coverage figures
// (sidelap, worst revisit and the band it holds over), and their tracks on
// one map, each orbit in the colour of its column. Its own window, resizable,
// every part reached with the keyboard; Escape closes it.
//
// Worst revisits not yet worked out in the explorer are worked out here in
// the background and written in when they arrive.

#include "explorer/candidate_set.h"
#include "platform/background_work.h"

#include <QWidget>

#include <cstddef>
#include <memory>
#include <vector>

class QLabel;
class QTableWidget;

namespace explorer {

class OverlayMap;

class CompareWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr std::size_t kFewest = 2;
    static constexpr std::size_t kMost = 4;

    explicit CompareWindow(QWidget* parent = nullptr);

    // Shows rows `rows` of `set` (kFewest to kMost), with the figures known so far.
    void Compare(std::shared_ptr<const CandidateSet> set, std::vector<std::size_t> rows,
                 const std::vector<RevisitFigure>& known);

    QTableWidget* Table() const { return table_; }
    OverlayMap* Map() const { return map_; }
    // The table's row of a caption; -1 when none.
    int RowOf(const QString& caption) const;

signals:
    // Every figure is in the table.
    void FiguresComplete();

private:
    void ShowRevisits(const std::vector<RevisitFigure>& figures);

    QTableWidget* table_ = nullptr;
    OverlayMap* map_ = nullptr;
    QLabel* mapCaption_ = nullptr;
    std::shared_ptr<const CandidateSet> set_;
    std::vector<std::size_t> rows_;
    int revisitRow_ = -1;
    platform::LatestRequest revisits_{this};
};

}  // namespace explorer
