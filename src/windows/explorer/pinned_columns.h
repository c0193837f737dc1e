#pragma once
// The table's first columns held in place: a second view over the same rows
// and the same selection lies over the table's left edge and shows only
// those columns, so that scrolling right to the coverage figures never
// hides N, M and Q. It follows the table's rows, widths, sort and scrolling;
// clicks and double-clicks on it act as on the table, and it never takes
// the focus, which stays with the table for the keys.

#include <QObject>

class QTableView;

namespace explorer {

class PinnedColumns : public QObject {
    Q_OBJECT

public:
    // After the table has its model. `count` columns stay in place.
    PinnedColumns(QTableView* table, int count);

    QTableView* View() const { return pinned_; }
    // The width the pinned columns take over the table's viewport.
    int Width() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowColumns();
    void FollowWidth(int column, int oldSize, int newSize);
    void SortByHeader(int column);
    void Place();

    QTableView* table_;
    QTableView* pinned_;
    int count_;
};

}  // namespace explorer
