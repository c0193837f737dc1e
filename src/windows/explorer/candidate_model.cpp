#include "explorer/candidate_model.h"

#include "explorer/candidate_text.h"

#include <algorithm>
#include <cmath>

namespace explorer {

CandidateModel::CandidateModel(QObject* parent) : QAbstractTableModel(parent), columns_(ColumnsFor(false)) {}

void CandidateModel::SetCandidates(std::shared_ptr<const CandidateSet> set)
{
    beginResetModel();
    set_ = std::move(set);
    const bool withSwath = set_ && set_->HasSwath();
    columns_ = ColumnsFor(withSwath);
    revisits_.assign(withSwath ? set_->size() : 0, RevisitFigure{});
    pendingRevisits_ = static_cast<std::int64_t>(revisits_.size());
    floors_.assign(revisits_.size(), RevisitFloorFigure{});
    endResetModel();
    emit RevisitsChanged();
}

int CandidateModel::ColumnIndexOf(ExplorerColumn column) const
{
    const auto found = std::find(columns_.begin(), columns_.end(), column);
    return found == columns_.end() ? -1 : static_cast<int>(found - columns_.begin());
}

void CandidateModel::AddRevisits(const RevisitBatch& figures)
{
    const int column = ColumnIndexOf(ExplorerColumn::WorstRevisitDays);
    if (column < 0 || figures.empty())
        return;
    std::int32_t first = rowCount(), last = -1;
    for (const auto& [row, figure] : figures) {
        if (row < 0 || static_cast<std::size_t>(row) >= revisits_.size())
            continue;
        RevisitFigure& kept = revisits_[static_cast<std::size_t>(row)];
        if (kept.state == RevisitFigure::State::Pending && figure.state != RevisitFigure::State::Pending)
            --pendingRevisits_;
        kept = figure;
        first = std::min(first, row);
        last = std::max(last, row);
    }
    if (last < 0)
        return;
    // One signal for the batch: the views repaint only what they show.
    emit dataChanged(index(first, column), index(last, column), {Qt::DisplayRole, kValueRole});
    emit RevisitsChanged();
}

void CandidateModel::AddFloors(const FloorBatch& floors)
{
    for (const auto& [row, floor] : floors)
        if (row >= 0 && static_cast<std::size_t>(row) < floors_.size())
            floors_[static_cast<std::size_t>(row)] = floor;
}

int CandidateModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !set_ ? 0 : static_cast<int>(set_->size());
}

int CandidateModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant CandidateModel::data(const QModelIndex& index, int role) const
{
    if (!set_ || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const ExplorerColumn column = columns_[static_cast<std::size_t>(index.column())];
    const RevisitFigure revisit =
        column == ExplorerColumn::WorstRevisitDays ? revisits_[row] : RevisitFigure{};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(CellText(*set_, revisit, row, column));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case kValueRole: {
        if (const auto searchColumn = SearchColumnOf(column)) {
            const auto value = orbit::analysis::SearchValue(set_->Row(row), *searchColumn);
            return value ? QVariant(*value) : QVariant();
        }
        if (column == ExplorerColumn::SidelapPercent)
            return std::isnan(set_->sidelapPercent[row]) ? QVariant() : QVariant(set_->sidelapPercent[row]);
        return revisit.state == RevisitFigure::State::Days ? QVariant(revisit.days) : QVariant();
    }
    case Qt::ToolTipRole:
        if (column == ExplorerColumn::WorstRevisitDays && revisit.state == RevisitFigure::State::Pending)
            return tr("Being worked out in the background");
        if (column == ExplorerColumn::WorstRevisitDays && revisit.state == RevisitFigure::State::NoFullCoverage)
            return tr("No latitude is covered whole: some places are never seen");
        if (column == ExplorerColumn::WorstRevisitDays && revisit.Partial())
            return tr("Only the parallels at %1 are covered whole: nearer the equator some places are never "
                      "seen, and the wait holds over those alone")
                .arg(QString::fromStdString(FullCoverageBandsText(revisit)));
        return {};
    default:
        return {};
    }
}

QVariant CandidateModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const ExplorerColumnInfo& info = InfoOf(columns_[static_cast<std::size_t>(section)]);
    if (role == Qt::DisplayRole) {
        // The unit on a line of its own keeps the columns narrow.
        return QString::fromUtf8(info.header).replace(QStringLiteral(" ("), QStringLiteral("\n("));
    }
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(info.toolTip);
    // The first click on a header shows the smallest first: the finest grid,
    // the shortest wait.
    if (role == Qt::InitialSortOrderRole)
        return static_cast<int>(Qt::AscendingOrder);
    return {};
}

}  // namespace explorer
