// The selected rows and what is done with them: the details beside the
// table, "Use in design window", "Copy" and "Save as CSV…". The selection
// survives a new order or a new search when its orbit is still shown.

#include "explorer/explorer_window.h"

#include "core/orbit_error.h"
#include "explorer/candidate_details.h"
#include "explorer/candidate_model.h"
#include "explorer/candidate_proxy.h"
#include "explorer/candidate_text.h"
#include "explorer/compare_window.h"
#include "platform/file_output.h"
#include "platform/handler_boundary.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace explorer {

int ExplorerWindow::CurrentSourceRow() const
{
    // One candidate at a time is "the" orbit: the details, "Use in design
    // window" and the revisit priority all take the same one. It is the
    // focused row while that row is selected (Ctrl+click or Ctrl+End can move
    // the focus onto a row left unselected), else the only row selected;
    // with none or several and the focus elsewhere, there is none.
    const QItemSelectionModel* selection = table_->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->rowIntersectsSelection(current.row(), {}))
        return proxy_->SourceRow(current.row());
    int only = -1;
    for (const QItemSelectionRange& range : selection->selection()) {
        if (range.height() > 1 || (only >= 0 && only != range.top()))
            return -1;
        only = range.top();
    }
    return only < 0 ? -1 : proxy_->SourceRow(only);
}

std::optional<DesignChoice> ExplorerWindow::CurrentChoice() const
{
    const int row = CurrentSourceRow();
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    if (row < 0 || !set)
        return std::nullopt;
    const orbit::analysis::SearchRow& candidate = set->Row(static_cast<std::size_t>(row));
    const orbit::analysis::SearchRequest& search = set->request.search;
    DesignChoice choice;
    choice.N = candidate.N;
    choice.M = candidate.M;
    choice.Q = candidate.Q;
    choice.type = search.type;
    if (search.type == orbit::OrbitType::ChooseInclination) {
        choice.inclDegrees = static_cast<int>(search.inclDegrees);
        choice.inclTenths = static_cast<int>(search.inclTenths);
    }
    return choice;
}

void ExplorerWindow::KeepCurrentRow()
{
    // Without a table (inputs that make no search) the last choice is kept
    // for when the inputs make sense again.
    if (model_->Candidates())
        keptRow_ = CurrentChoice();
}

void ExplorerWindow::RestoreCurrentRow()
{
    // The orbit selected before a new order or a new search stays selected
    // when it is still shown: a sort or another swath keeps it in view.
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    if (!keptRow_ || !set) {
        ShowCurrent();
        return;
    }
    int found = -1;
    for (std::size_t row = 0; row < set->size(); ++row) {
        const orbit::analysis::SearchRow& r = set->Row(row);
        if (r.N == keptRow_->N && r.M == keptRow_->M && r.Q == keptRow_->Q) {
            found = static_cast<int>(row);
            break;
        }
    }
    SelectSourceRow(found);
}

void ExplorerWindow::SelectSourceRow(int sourceRow)
{
    const QModelIndex shown = sourceRow < 0 ? QModelIndex() : proxy_->mapFromSource(model_->index(sourceRow, 0));
    if (!shown.isValid()) {
        ShowCurrent();
        return;
    }
    table_->selectionModel()->setCurrentIndex(
        shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(shown);
    ShowCurrent();
}

void ExplorerWindow::ShowCurrent()
{
    detailsDelay_->stop();
    const int row = CurrentSourceRow();
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    const bool sameSet = !shownSet_.owner_before(set) && !set.owner_before(shownSet_) && set;
    if (row < 0) {
        shownSet_.reset();
        shownRow_ = -1;
        details_->Clear();
    } else if (sameSet && shownRow_ == row) {
        // The selection grew or shrank around the same orbit: nothing to redraw.
    } else {
        shownSet_ = set;
        shownRow_ = row;
        platform::RunHandler(this,
                             [&] { details_->ShowCandidate(model_->Candidates().get(), static_cast<std::size_t>(row)); });
    }
    UpdateCommands();
    emit CandidateChanged();
}

void ExplorerWindow::UpdateCommands()
{
    useButton_->setEnabled(CurrentSourceRow() >= 0 && target_ != nullptr);
    copyButton_->setEnabled(table_->selectionModel()->hasSelection());
    compareButton_->setEnabled(ComparableSelection());
    saveButton_->setEnabled(proxy_->rowCount() > 0);
}

std::vector<std::size_t> ExplorerWindow::SelectedSourceRows() const
{
    std::vector<int> shown;
    for (const QItemSelectionRange& range : table_->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            shown.push_back(row);
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    std::vector<std::size_t> rows;
    rows.reserve(shown.size());
    for (const int row : shown)
        if (const int source = proxy_->SourceRow(row); source >= 0)
            rows.push_back(static_cast<std::size_t>(source));
    return rows;
}

bool ExplorerWindow::ComparableSelection() const
{
    // Counted by ranges: a selection of a million rows is not listed for this.
    std::size_t rows = 0;
    for (const QItemSelectionRange& range : table_->selectionModel()->selection()) {
        rows += static_cast<std::size_t>(range.height());
        if (rows > CompareWindow::kMost)
            return false;
    }
    return rows >= CompareWindow::kFewest;
}

void ExplorerWindow::Compare_Click()
{
    if (!ComparableSelection() || !model_->Candidates())
        return;
    if (!compare_)
        compare_ = new CompareWindow(this);
    compare_->Compare(model_->Candidates(), SelectedSourceRows(), model_->Revisits());
    if (compare_->isMinimized())
        compare_->setWindowState(compare_->windowState() & ~Qt::WindowMinimized);
    compare_->show();
    compare_->raise();
    compare_->activateWindow();
}

void ExplorerWindow::UseInDesignWindow_Click()
{
    const std::optional<DesignChoice> choice = CurrentChoice();
    if (!choice || !target_)
        return;
    target_(*choice);
}

void ExplorerWindow::Copy_Click()
{
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    std::vector<std::size_t> rows = SelectedSourceRows();
    if (!set || rows.empty())
        return;
    copy_.Start(
        [set, revisits = model_->Revisits(), rows = std::move(rows),
         columns = model_->Columns()](const std::atomic<bool>&) {
            return QString::fromStdString(CopiedRowsText(*set, revisits, rows, columns));
        },
        [this](const QString& text) {
            QGuiApplication::clipboard()->setText(text);
            emit CopyFinished();
        });
}

void ExplorerWindow::SaveCsv_Click()
{
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    if (!set || proxy_->rowCount() == 0)
        return;
    const QString path = saveDialog_ ? saveDialog_(this) : QString();
    if (path.isEmpty())
        return;
    std::vector<std::int32_t> rows;
    rows.reserve(static_cast<std::size_t>(proxy_->rowCount()));
    std::int64_t pending = 0;
    for (int row = 0; row < proxy_->rowCount(); ++row) {
        rows.push_back(proxy_->SourceRow(row));
        if (set->HasSwath() &&
            model_->Revisits()[static_cast<std::size_t>(rows.back())].state == RevisitFigure::State::Pending)
            ++pending;
    }
    saveNote_ = tr("Saving %1\u2026").arg(QDir::toNativeSeparators(path));
    UpdateStatus();
    const std::size_t count = rows.size();
    save_.Start(
        [set, revisits = model_->Revisits(), rows = std::move(rows), path](const std::atomic<bool>&) -> QString {
            try {
                platform::WriteOutputFile(path, QByteArray::fromStdString(CsvText(*set, revisits, rows)));
            } catch (const orbit::OrbitError& e) {
                return QString::fromUtf8(e.what());
            } catch (const std::bad_alloc&) {
                return tr("Not enough memory to write %1").arg(QDir::toNativeSeparators(path));
            }
            return {};
        },
        [this, path, count, pending](const QString& error) {
            if (error.isEmpty()) {
                saveNote_ = CountText(static_cast<std::int64_t>(count), "row", "rows") +
                            tr(" saved to %1.").arg(QDir::toNativeSeparators(path));
                if (pending > 0)
                    saveNote_ += tr(" %1 revisit figures were still pending: their cells are empty.").arg(pending);
            } else {
                saveNote_.clear();
                platform::ReportError(this, error);
            }
            UpdateStatus();
            emit SaveFinished();
        });
}

}  // namespace explorer
