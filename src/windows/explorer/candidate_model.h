#pragma once
// The explorer's candidates as a table model: one row per repeat orbit of
// the last search, in the search's order (highest first), one column per
// figure. A new search replaces the whole set in one reset; the worst
// revisits arrive later in batches and each batch is one dataChanged.

#include "explorer/candidate_columns.h"
#include "explorer/candidate_set.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <memory>
#include <vector>

namespace explorer {

class CandidateModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The raw number a cell shows (a double), invalid for a cell without one.
    static constexpr int kValueRole = Qt::UserRole + 1;

    explicit CandidateModel(QObject* parent = nullptr);

    // Shows `set` (nothing for a null set); every revisit is pending.
    void SetCandidates(std::shared_ptr<const CandidateSet> set);
    const std::shared_ptr<const CandidateSet>& Candidates() const { return set_; }

    const std::vector<ExplorerColumn>& Columns() const { return columns_; }
    // The column's index, -1 when it is not shown.
    int ColumnIndexOf(ExplorerColumn column) const;

    // Figures worked out for rows of the current set.
    void AddRevisits(const RevisitBatch& figures);
    const std::vector<RevisitFigure>& Revisits() const { return revisits_; }
    std::int64_t PendingRevisits() const { return pendingRevisits_; }

    // Floors under the worst revisits, for a sort by them; none shows.
    void AddFloors(const FloorBatch& floors);
    const std::vector<RevisitFloorFigure>& Floors() const { return floors_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void RevisitsChanged();

private:
    std::shared_ptr<const CandidateSet> set_;
    std::vector<ExplorerColumn> columns_;
    std::vector<RevisitFigure> revisits_;
    std::int64_t pendingRevisits_ = 0;
    std::vector<RevisitFloorFigure> floors_;
};

}  // namespace explorer
