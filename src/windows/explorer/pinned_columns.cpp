#include "explorer/pinned_columns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace explorer {

PinnedColumns::PinnedColumns(QTableView* table, int count)
    : QObject(table), table_(table), pinned_(new QTableView(table)), count_(count)
{
    pinned_->setObjectName(QStringLiteral("PinnedColumns"));
    pinned_->setAccessibleName(table->accessibleName());
    pinned_->setModel(table_->model());
    pinned_->setSelectionModel(table_->selectionModel());
    pinned_->setSelectionBehavior(table_->selectionBehavior());
    pinned_->setSelectionMode(table_->selectionMode());
    pinned_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pinned_->setWordWrap(false);
    pinned_->setFocusPolicy(Qt::NoFocus);
    pinned_->verticalHeader()->hide();
    pinned_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    pinned_->verticalHeader()->setDefaultSectionSize(table_->verticalHeader()->defaultSectionSize());
    pinned_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    pinned_->horizontalHeader()->setSortIndicatorShown(true);
    pinned_->horizontalHeader()->setSectionsClickable(true);
    pinned_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pinned_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pinned_->setVerticalScrollMode(table_->verticalScrollMode());
    pinned_->setFrameShape(QFrame::NoFrame);
    // The table's columns slide under the pinned ones a pixel at a time.
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->viewport()->stackUnder(pinned_);

    QHeaderView* header = table_->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &PinnedColumns::FollowWidth);
    connect(header, &QHeaderView::sortIndicatorChanged, pinned_->horizontalHeader(),
            &QHeaderView::setSortIndicator);
    connect(pinned_->horizontalHeader(), &QHeaderView::sectionClicked, this, &PinnedColumns::SortByHeader);
    connect(pinned_->verticalScrollBar(), &QAbstractSlider::valueChanged, table_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(table_->verticalScrollBar(), &QAbstractSlider::valueChanged, pinned_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(pinned_, &QAbstractItemView::doubleClicked, table_, &QAbstractItemView::doubleClicked);
    connect(table_->model(), &QAbstractItemModel::modelReset, this, &PinnedColumns::FollowColumns);
    table_->installEventFilter(this);
    FollowColumns();
}

int PinnedColumns::Width() const
{
    int width = 0;
    for (int column = 0; column < count_ && column < table_->model()->columnCount(); ++column)
        width += table_->columnWidth(column);
    return width;
}

bool PinnedColumns::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
        Place();
    return QObject::eventFilter(watched, event);
}

void PinnedColumns::FollowColumns()
{
    const int columns = table_->model()->columnCount();
    for (int column = 0; column < columns; ++column) {
        pinned_->setColumnHidden(column, column >= count_);
        if (column < count_)
            pinned_->setColumnWidth(column, table_->columnWidth(column));
    }
    const QHeaderView* header = table_->horizontalHeader();
    pinned_->horizontalHeader()->setSortIndicator(header->sortIndicatorSection(), header->sortIndicatorOrder());
    pinned_->verticalScrollBar()->setValue(table_->verticalScrollBar()->value());
    pinned_->setVisible(columns > 0);
    Place();
}

void PinnedColumns::FollowWidth(int column, int, int newSize)
{
    if (column < count_) {
        pinned_->setColumnWidth(column, newSize);
        Place();
    }
}

void PinnedColumns::SortByHeader(int column)
{
    // As a click on the table's own header: the same column again turns the
    // order round, another starts with its first order.
    const QHeaderView* header = table_->horizontalHeader();
    Qt::SortOrder order = Qt::AscendingOrder;
    if (header->sortIndicatorSection() == column)
        order = header->sortIndicatorOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    table_->sortByColumn(column, order);
}

void PinnedColumns::Place()
{
    pinned_->horizontalHeader()->setFixedHeight(table_->horizontalHeader()->height());
    pinned_->setGeometry(table_->verticalHeader()->width() + table_->frameWidth(), table_->frameWidth(), Width(),
                         table_->viewport()->height() + table_->horizontalHeader()->height());
}

}  // namespace explorer
