#include "explorer/frozen_columns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace explorer {

FrozenColumns::FrozenColumns(QTableView* table, int count)
    : QObject(table), table_(table), frozen_(new QTableView(table)), count_(count)
{
    frozen_->setObjectName(QStringLiteral("FrozenColumns"));
    frozen_->setAccessibleName(table->accessibleName());
    frozen_->setModel(table_->model());
    frozen_->setSelectionModel(table_->selectionModel());
    frozen_->setSelectionBehavior(table_->selectionBehavior());
    frozen_->setSelectionMode(table_->selectionMode());
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen_->setWordWrap(false);
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->verticalHeader()->setDefaultSectionSize(table_->verticalHeader()->defaultSectionSize());
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->horizontalHeader()->setSortIndicatorShown(true);
    frozen_->horizontalHeader()->setSectionsClickable(true);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(table_->verticalScrollMode());
    frozen_->setFrameShape(QFrame::NoFrame);
    // The table's columns slide under the frozen ones a pixel at a time.
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->viewport()->stackUnder(frozen_);

    QHeaderView* header = table_->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &FrozenColumns::FollowWidth);
    connect(header, &QHeaderView::sortIndicatorChanged, frozen_->horizontalHeader(),
            &QHeaderView::setSortIndicator);
    connect(frozen_->horizontalHeader(), &QHeaderView::sectionClicked, this, &FrozenColumns::SortByHeader);
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, table_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(table_->verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(frozen_, &QAbstractItemView::doubleClicked, table_, &QAbstractItemView::doubleClicked);
    connect(table_->model(), &QAbstractItemModel::modelReset, this, &FrozenColumns::FollowColumns);
    table_->installEventFilter(this);
    FollowColumns();
}

int FrozenColumns::Width() const
{
    int width = 0;
    for (int column = 0; column < count_ && column < table_->model()->columnCount(); ++column)
        width += table_->columnWidth(column);
    return width;
}

bool FrozenColumns::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
        Place();
    return QObject::eventFilter(watched, event);
}

void FrozenColumns::FollowColumns()
{
    const int columns = table_->model()->columnCount();
    for (int column = 0; column < columns; ++column) {
        frozen_->setColumnHidden(column, column >= count_);
        if (column < count_)
            frozen_->setColumnWidth(column, table_->columnWidth(column));
    }
    const QHeaderView* header = table_->horizontalHeader();
    frozen_->horizontalHeader()->setSortIndicator(header->sortIndicatorSection(), header->sortIndicatorOrder());
    frozen_->verticalScrollBar()->setValue(table_->verticalScrollBar()->value());
    frozen_->setVisible(columns > 0);
    Place();
}

void FrozenColumns::FollowWidth(int column, int, int newSize)
{
    if (column < count_) {
        frozen_->setColumnWidth(column, newSize);
        Place();
    }
}

void FrozenColumns::SortByHeader(int column)
{
    // As a click on the table's own header: the same column again turns the
    // order round, another starts with its first order.
    const QHeaderView* header = table_->horizontalHeader();
    Qt::SortOrder order = Qt::AscendingOrder;
    if (header->sortIndicatorSection() == column)
        order = header->sortIndicatorOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    table_->sortByColumn(column, order);
}

void FrozenColumns::Place()
{
    frozen_->horizontalHeader()->setFixedHeight(table_->horizontalHeader()->height());
    frozen_->setGeometry(table_->verticalHeader()->width() + table_->frameWidth(), table_->frameWidth(), Width(),
                         table_->viewport()->height() + table_->horizontalHeader()->height());
}

}  // namespace explorer
