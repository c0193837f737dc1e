#pragma once
// The explorer table's order and filter: a proxy over the candidate model
// that shows the model's rows through a permutation. The permutation is
// worked out on a worker thread (ComputeOrder) and put in place in one step,
// so that sorting or filtering a million rows never holds up the window;
// until it arrives the table goes on showing the last order.

#include "explorer/candidate_order.h"
#include "platform/background_work.h"

#include <QAbstractProxyModel>

#include <cstdint>
#include <memory>

namespace explorer {

class CandidateModel;

class CandidateProxy : public QAbstractProxyModel {
    Q_OBJECT

public:
    explicit CandidateProxy(QObject* parent = nullptr);
    ~CandidateProxy() override;

    // Only a CandidateModel.
    void setSourceModel(QAbstractItemModel* model) override;
    CandidateModel* Candidates() const { return model_; }

    // Starts working out the order for `column` (a column of the model);
    // the table shows it when done. The table's header calls this.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    void SetSort(std::optional<ExplorerColumn> column, bool descending);
    void SetFilter(const CandidateFilter& filter);
    // Works the order out again for the figures as they are now (the worst
    // revisits that arrived since).
    void Refresh();
    const OrderRequest& Request() const { return request_; }

    // The order that comes with the next set the model takes, worked out
    // beside the search for `request`: the table then shows the new set in
    // its order at once.
    void PrepareOrder(const CandidateSet* set, RowOrder order, const OrderRequest& request);

    // True while an order is being worked out.
    bool Ordering() const { return ordering_; }
    const RowOrder& Order() const { return order_; }
    // The model row shown at `proxyRow`.
    int SourceRow(int proxyRow) const;

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

signals:
    // Before and after a new order replaces the rows shown (a model reset),
    // so that the window can keep the selected row selected.
    void OrderAboutToChange();
    void OrderChanged();
    void OrderingChanged(bool ordering);

private:
    void Recompute();
    void Apply(RowOrder order);
    void SourceReset();
    void SourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles);
    void SetOrdering(bool ordering);

    CandidateModel* model_ = nullptr;
    OrderRequest request_;
    RowOrder order_;
    bool ordering_ = false;
    platform::LatestRequest orderWork_{this};  // only the order last asked for is applied

    struct Prepared {
        const CandidateSet* set = nullptr;
        RowOrder order;
        OrderRequest request;
    };
    Prepared prepared_;
};

}  // namespace explorer
