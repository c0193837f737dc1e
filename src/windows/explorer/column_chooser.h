#pragma once
// Which of the table's columns are shown. A swath brings the sidelap and the
// worst revisit; with every figure shown they would start off-screen, and
// scrolling to them would hide N, M and Q. So a few figures that follow
// from the others (revolutions, semi-major axis, nodal period) start
// hidden; the header's right-click menu shows or hides any column but N, M
// and Q, which name the orbit and always stay. The choice holds for every
// later search.

#include "explorer/candidate_columns.h"

#include <QObject>

#include <set>

class QMenu;
class QPoint;
class QTableView;

namespace explorer {

class CandidateModel;

class ColumnChooser : public QObject {
    Q_OBJECT

public:
    // After the table has its model (the proxy over `model`).
    ColumnChooser(QTableView* table, CandidateModel* model);

    bool Shown(ExplorerColumn column) const { return !hidden_.contains(column); }
    void SetShown(ExplorerColumn column, bool shown);
    // The header's menu, one checkable entry per column of the table.
    QMenu* MakeMenu(QWidget* parent) const;

private:
    void Apply();
    void ShowMenu(const QPoint& at);

    QTableView* table_;
    CandidateModel* model_;
    std::set<ExplorerColumn> hidden_;
};

}  // namespace explorer
