#include "explorer/candidate_proxy.h"

#include "explorer/candidate_model.h"

#include <numeric>

namespace explorer {

namespace {

// The search lists its rows highest first, so this order needs no sorting.
bool IsSearchOrder(const OrderRequest& request)
{
    return request.filter == CandidateFilter{} &&
           (!request.sortColumn || (*request.sortColumn == ExplorerColumn::MeanAltitudeKm && request.descending));
}

RowOrder SearchOrder(std::size_t rows)
{
    RowOrder order;
    order.shown.resize(rows);
    std::iota(order.shown.begin(), order.shown.end(), 0);
    order.positionOf = order.shown;
    return order;
}

}  // namespace

CandidateProxy::CandidateProxy(QObject* parent) : QAbstractProxyModel(parent) {}

CandidateProxy::~CandidateProxy() = default;

void CandidateProxy::setSourceModel(QAbstractItemModel* model)
{
    beginResetModel();
    if (model_)
        disconnect(model_, nullptr, this, nullptr);
    model_ = qobject_cast<CandidateModel*>(model);
    QAbstractProxyModel::setSourceModel(model_);
    if (model_) {
        connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &CandidateProxy::beginResetModel);
        connect(model_, &QAbstractItemModel::modelReset, this, &CandidateProxy::SourceReset);
        connect(model_, &QAbstractItemModel::dataChanged, this, &CandidateProxy::SourceDataChanged);
        order_ = SearchOrder(static_cast<std::size_t>(model_->rowCount()));
    } else {
        order_ = {};
    }
    endResetModel();
    if (model_ && !IsSearchOrder(request_))
        Recompute();
}

void CandidateProxy::sort(int column, Qt::SortOrder order)
{
    if (!model_ || column < 0 || column >= model_->columnCount()) {
        SetSort(std::nullopt, false);
        return;
    }
    SetSort(model_->Columns()[static_cast<std::size_t>(column)], order == Qt::DescendingOrder);
}

void CandidateProxy::SetSort(std::optional<ExplorerColumn> column, bool descending)
{
    if (request_.sortColumn == column && request_.descending == descending)
        return;
    request_.sortColumn = column;
    request_.descending = descending;
    Recompute();
}

void CandidateProxy::SetFilter(const CandidateFilter& filter)
{
    if (request_.filter == filter)
        return;
    request_.filter = filter;
    Recompute();
}

void CandidateProxy::Refresh() { Recompute(); }

void CandidateProxy::PrepareOrder(const CandidateSet* set, RowOrder order, const OrderRequest& request)
{
    prepared_ = {set, std::move(order), request};
}

int CandidateProxy::SourceRow(int proxyRow) const
{
    if (proxyRow < 0 || static_cast<std::size_t>(proxyRow) >= order_.shown.size())
        return -1;
    return order_.shown[static_cast<std::size_t>(proxyRow)];
}

void CandidateProxy::Recompute()
{
    std::shared_ptr<const CandidateSet> set = model_ ? model_->Candidates() : nullptr;
    if (!set) {
        orderWork_.Cancel();
        Apply({});
        return;
    }
    // The worker reads its own copy of the revisits: more arrive meanwhile.
    std::vector<RevisitFigure> revisits;
    std::vector<RevisitFloorFigure> floors;
    if (request_.sortColumn == ExplorerColumn::WorstRevisitDays)
        revisits = model_->Revisits();
    if (SortsByRevisitFloors(request_))
        floors = model_->Floors();
    SetOrdering(true);
    orderWork_.Start(
        [set, revisits = std::move(revisits), floors = std::move(floors),
         request = request_](const std::atomic<bool>& cancelled) {
            return ComputeOrder(*set, revisits, request, &cancelled, &floors);
        },
        [this](RowOrder order) { Apply(std::move(order)); });
}

void CandidateProxy::Apply(RowOrder order)
{
    emit OrderAboutToChange();
    beginResetModel();
    order_ = std::move(order);
    endResetModel();
    SetOrdering(false);
    emit OrderChanged();
}

void CandidateProxy::SourceReset()
{
    // Called between the proxy's own begin and end of the reset.
    const CandidateSet* set = model_->Candidates().get();
    const auto rows = static_cast<std::size_t>(model_->rowCount());
    bool current = true;
    if (set && prepared_.set == set && prepared_.order.positionOf.size() == rows) {
        order_ = std::move(prepared_.order);
        current = prepared_.request == request_;
    } else {
        order_ = SearchOrder(rows);
        current = IsSearchOrder(request_);
    }
    prepared_ = {};
    endResetModel();
    if (!current)
        Recompute();
}

void CandidateProxy::SourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                       const QList<int>& roles)
{
    // The changed rows lie anywhere in the order: the whole columns are
    // reported, and the views repaint the part they show.
    if (rowCount() == 0 || !topLeft.isValid() || !bottomRight.isValid())
        return;
    emit dataChanged(index(0, topLeft.column()), index(rowCount() - 1, bottomRight.column()), roles);
}

void CandidateProxy::SetOrdering(bool ordering)
{
    if (ordering_ == ordering)
        return;
    ordering_ = ordering;
    emit OrderingChanged(ordering);
}

QModelIndex CandidateProxy::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!model_ || !proxyIndex.isValid())
        return {};
    const int row = SourceRow(proxyIndex.row());
    return row < 0 ? QModelIndex() : model_->index(row, proxyIndex.column());
}

QModelIndex CandidateProxy::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.model() != model_)
        return {};
    const auto row = static_cast<std::size_t>(sourceIndex.row());
    if (row >= order_.positionOf.size() || order_.positionOf[row] < 0)
        return {};
    return index(order_.positionOf[row], sourceIndex.column());
}

QModelIndex CandidateProxy::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex CandidateProxy::parent(const QModelIndex&) const { return {}; }

int CandidateProxy::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(order_.shown.size());
}

int CandidateProxy::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !model_ ? 0 : model_->columnCount();
}

bool CandidateProxy::hasChildren(const QModelIndex& parent) const { return !parent.isValid() && rowCount() > 0; }

}  // namespace explorer
