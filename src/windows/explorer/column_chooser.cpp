#include "explorer/column_chooser.h"

#include "explorer/candidate_model.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace explorer {

namespace {

bool NamesTheOrbit(ExplorerColumn column)
{
    return column == ExplorerColumn::N || column == ExplorerColumn::M || column == ExplorerColumn::Q;
}

}  // namespace

ColumnChooser::ColumnChooser(QTableView* table, CandidateModel* model)
    : QObject(table),
      table_(table),
      model_(model),
      hidden_{ExplorerColumn::Revs, ExplorerColumn::SemiMajorAxisKm, ExplorerColumn::NodalPeriodMin}
{
    QHeaderView* header = table_->horizontalHeader();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, &ColumnChooser::ShowMenu);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);  // the menu key on the table too
    connect(table_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = MakeMenu(table_);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(table_->viewport()->mapToGlobal(at));
    });
    // Every reset of the table's rows (a new set with other columns, a new
    // order) starts its header afresh.
    connect(table_->model(), &QAbstractItemModel::modelReset, this, &ColumnChooser::Apply);
    Apply();
}

void ColumnChooser::SetShown(ExplorerColumn column, bool shown)
{
    if (NamesTheOrbit(column))
        return;
    if (shown)
        hidden_.erase(column);
    else
        hidden_.insert(column);
    Apply();
}

QMenu* ColumnChooser::MakeMenu(QWidget* parent) const
{
    auto* menu = new QMenu(tr("Columns"), parent);
    for (const ExplorerColumn column : model_->Columns()) {
        QString name = QString::fromUtf8(InfoOf(column).header);
        QAction* action = menu->addAction(name);
        action->setCheckable(true);
        action->setChecked(Shown(column));
        action->setEnabled(!NamesTheOrbit(column));
        auto* self = const_cast<ColumnChooser*>(this);
        connect(action, &QAction::toggled, self, [self, column](bool on) { self->SetShown(column, on); });
    }
    return menu;
}

void ColumnChooser::Apply()
{
    const std::vector<ExplorerColumn>& columns = model_->Columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        table_->setColumnHidden(static_cast<int>(i), !Shown(columns[i]));
}

void ColumnChooser::ShowMenu(const QPoint& at)
{
    QMenu* menu = MakeMenu(table_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(table_->horizontalHeader()->viewport()->mapToGlobal(at));
}

}  // namespace explorer
