#include "explorer/explorer_window.h"

#include "core/orbit_error.h"
#include "explorer/candidate_details.h"
#include "explorer/candidate_model.h"
#include "explorer/candidate_order.h"
#include "explorer/candidate_proxy.h"
#include "explorer/candidate_text.h"
#include "explorer/explorer_inputs.h"
#include "explorer/revisit_worker.h"
#include "platform/file_output.h"
#include "platform/handler_boundary.h"
#include "platform/vector_state.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace explorer {

// What a search hands back to the window: the set, and its order for the
// sort and filter the table had when the search started.
struct SearchResult {
    std::shared_ptr<const CandidateSet> set;
    RowOrder order;
    OrderRequest orderRequest;
    QString error;
};

namespace {

ExplorerWindow* instance = nullptr;

// The window lives for the whole run and goes before the application object
// does, while widgets can still be destroyed.
void DestroyInstance()
{
    delete instance;
    instance = nullptr;
}

// Typing "800" is one search, not three.
constexpr int kSearchDelayMs = 300;
constexpr int kFilterDelayMs = 150;
constexpr int kProgressIntervalMs = 100;
constexpr int kPriorityDelayMs = 50;
constexpr int kDetailsDelayMs = 40;
// The rows a column's width is measured on.
constexpr int kWidthSampleRows = 200;

QString AskForCsvFile(QWidget* parent)
{
    QString path = QFileDialog::getSaveFileName(parent, ExplorerWindow::tr("Save as CSV"),
                                                QStringLiteral("repeat_orbits.csv"),
                                                ExplorerWindow::tr("CSV table (*.csv)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    return path;
}

QString Count(std::int64_t n, const char* one, const char* many)
{
    return ExplorerWindow::tr("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

}  // namespace

ExplorerWindow& ExplorerWindow::Instance()
{
    if (!instance) {
        instance = new ExplorerWindow;
        qAddPostRoutine(DestroyInstance);
    }
    return *instance;
}

ExplorerWindow::ExplorerWindow() : QWidget(nullptr), saveDialog_(AskForCsvFile)
{
    setObjectName(QStringLiteral("RepeatOrbitExplorer"));
    setWindowTitle(tr("Find Repeat Orbits"));
    searchPool_.setMaxThreadCount(1);

    inputs_ = new ExplorerInputs(this);

    model_ = new CandidateModel(this);
    proxy_ = new CandidateProxy(this);
    proxy_->setSourceModel(model_);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("CandidateTable"));
    table_->setAccessibleName(tr("Repeat orbits found"));
    table_->setModel(proxy_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    // Rows of one height: a million of them cost no measuring.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + table_->fontMetrics().height() / 2);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setResizeContentsPrecision(kWidthSampleRows);
    table_->horizontalHeader()->setSortIndicator(model_->ColumnIndexOf(ExplorerColumn::MeanAltitudeKm),
                                                 Qt::DescendingOrder);
    table_->setSortingEnabled(true);
    table_->installEventFilter(this);
    auto* tableLabel = new QLabel(tr("&Repeat orbits:"), this);
    tableLabel->setBuddy(table_);

    details_ = new CandidateDetails(this);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    auto* tablePane = new QWidget(splitter);
    auto* tableLayout = new QVBoxLayout(tablePane);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(tableLabel);
    tableLayout->addWidget(table_, 1);
    splitter->addWidget(tablePane);
    splitter->addWidget(details_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({3000, 1000});
    splitter->setChildrenCollapsible(false);

    useButton_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Use in design window"), this);
    useButton_->setObjectName(QStringLiteral("UseInDesignWindow"));
    useButton_->setToolTip(tr("Put this orbit's N, M, Q and orbit type into the design window and compute it "
                              "(also a double-click or Return on a row)"));
    copyButton_ = new QPushButton(tr("&Copy"), this);
    copyButton_->setObjectName(QStringLiteral("Copy"));
    copyButton_->setToolTip(tr("Copy the selected rows as a table for a spreadsheet (Ctrl+C)"));
    saveButton_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("Sa&ve as CSV\u2026"), this);
    saveButton_->setObjectName(QStringLiteral("SaveCsv"));
    saveButton_->setToolTip(tr("Write the whole table, in the order and with the filters shown, as CSV"));
    closeButton_ = new QPushButton(tr("Close"), this);
    closeButton_->setObjectName(QStringLiteral("CloseExplorer"));
    for (QPushButton* button : {useButton_, copyButton_, saveButton_, closeButton_})
        button->setAutoDefault(false);

    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("StatusLine"));
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    progressBar_ = new QProgressBar(this);
    progressBar_->setRange(0, 1000);
    progressBar_->setAccessibleName(tr("Search progress"));
    progressBar_->hide();

    auto* commands = new QHBoxLayout;
    commands->addWidget(useButton_);
    commands->addWidget(copyButton_);
    commands->addWidget(saveButton_);
    commands->addStretch(1);
    commands->addWidget(closeButton_);
    auto* status = new QHBoxLayout;
    status->addWidget(statusLine_, 1);
    status->addWidget(progressBar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inputs_);
    layout->addWidget(splitter, 1);
    layout->addLayout(commands);
    layout->addLayout(status);

    setTabOrder(inputs_->LastInput(), table_);
    setTabOrder(table_, useButton_);
    setTabOrder(useButton_, copyButton_);
    setTabOrder(copyButton_, saveButton_);
    setTabOrder(saveButton_, closeButton_);

    auto* copyAction = new QAction(this);
    copyAction->setShortcut(QKeySequence::Copy);
    addAction(copyAction);
    auto* closeAction = new QAction(this);
    closeAction->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(closeAction);

    const auto timer = [this](int ms, void (ExplorerWindow::*slot)()) {
        auto* t = new QTimer(this);
        t->setSingleShot(true);
        t->setInterval(ms);
        connect(t, &QTimer::timeout, this, slot);
        return t;
    };
    searchDelay_ = timer(kSearchDelayMs, &ExplorerWindow::StartSearch);
    filterDelay_ = new QTimer(this);
    filterDelay_->setSingleShot(true);
    filterDelay_->setInterval(kFilterDelayMs);
    priorityDelay_ = timer(kPriorityDelayMs, &ExplorerWindow::PrioritizeVisibleRows);
    detailsDelay_ = timer(kDetailsDelayMs, &ExplorerWindow::ShowCurrent);
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kProgressIntervalMs);

    revisits_ = new RevisitWorker(this);

    using platform::Handler;
    connect(useButton_, &QPushButton::clicked, this, Handler(this, &ExplorerWindow::UseInDesignWindow_Click));
    connect(table_, &QTableView::doubleClicked, this, Handler(this, &ExplorerWindow::UseInDesignWindow_Click));
    connect(copyButton_, &QPushButton::clicked, this, Handler(this, &ExplorerWindow::Copy_Click));
    connect(copyAction, &QAction::triggered, this, Handler(this, &ExplorerWindow::Copy_Click));
    connect(saveButton_, &QPushButton::clicked, this, Handler(this, &ExplorerWindow::SaveCsv_Click));
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    connect(inputs_, &ExplorerInputs::RequestEdited, this, [this] {
        searchOutdated_ = true;
        searchDelay_->start();
        UpdateStatus();
    });
    connect(inputs_, &ExplorerInputs::FilterEdited, filterDelay_, qOverload<>(&QTimer::start));
    connect(filterDelay_, &QTimer::timeout, this, [this] { proxy_->SetFilter(inputs_->Filter()); });
    connect(progressTimer_, &QTimer::timeout, this, &ExplorerWindow::ShowProgress);

    connect(proxy_, &CandidateProxy::OrderAboutToChange, this, &ExplorerWindow::KeepCurrentRow);
    connect(proxy_, &CandidateProxy::OrderChanged, this, &ExplorerWindow::RestoreCurrentRow);
    connect(proxy_, &CandidateProxy::OrderingChanged, this, &ExplorerWindow::UpdateStatus);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, detailsDelay_,
            qOverload<>(&QTimer::start));
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, priorityDelay_,
            qOverload<>(&QTimer::start));
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ExplorerWindow::UpdateCommands);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ExplorerWindow::UpdateCommands);
    connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, priorityDelay_, qOverload<>(&QTimer::start));
    connect(revisits_, &RevisitWorker::FiguresReady, this, &ExplorerWindow::TakeRevisits);
    connect(revisits_, &RevisitWorker::Finished, this, &ExplorerWindow::RevisitsFinished);

    const QFontMetrics metrics(font());
    resize(metrics.averageCharWidth() * 210, metrics.height() * 50);
    UpdateCommands();
    UpdateStatus();
}

ExplorerWindow::~ExplorerWindow()
{
    CancelSearch();
    searchPool_.waitForDone();
}

void ExplorerWindow::ShowWindow()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ExplorerWindow::SetDesignTarget(DesignTarget target) { target_ = std::move(target); }

void ExplorerWindow::SetSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }

bool ExplorerWindow::Searching() const { return searching_ || searchDelay_->isActive(); }

void ExplorerWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Work dropped while the window was closed is taken up again.
    if (searchOutdated_ && !Searching())
        StartSearch();
    else if (model_->PendingRevisits() > 0 && !revisits_->Busy())
        StartRevisits();
}

void ExplorerWindow::closeEvent(QCloseEvent* event)
{
    // A closed window asks for no more work.
    if (Searching()) {
        searchDelay_->stop();
        CancelSearch();
    }
    revisits_->Cancel();
    QWidget::closeEvent(event);
}

void ExplorerWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    priorityDelay_->start();
}

bool ExplorerWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Return on a row takes it to the design window, as a double-click does.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            platform::RunHandler(this, [this] { UseInDesignWindow_Click(); });
            return true;
        }
        // The table would copy its current cell alone.
        if (key->matches(QKeySequence::Copy)) {
            platform::RunHandler(this, [this] { Copy_Click(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ExplorerWindow::StartSearch()
{
    searchDelay_->stop();
    CancelSearch();
    revisits_->Cancel();
    const ExplorerInputs::Reading reading = inputs_->Request();
    if (!reading.request) {
        problem_ = reading.problem;
        searchOutdated_ = false;
        KeepCurrentRow();
        model_->SetCandidates(nullptr);
        UpdateStatus();
        UpdateCommands();
        return;
    }
    problem_.clear();

    OrderRequest order = proxy_->Request();
    order.filter = inputs_->Filter();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    auto progress = std::make_shared<std::atomic<int>>(0);
    searchCancel_ = cancel;
    searchProgress_ = progress;
    searching_ = true;
    progressBar_->setValue(0);
    progressBar_->show();
    progressTimer_->start();
    UpdateStatus();
    // A short search may be done before the continuation is attached, which
    // then runs at once: everything it undoes is set up before.
    const std::uint64_t serial = ++searchSerial_;
    QtConcurrent::run(&searchPool_,
                      [request = *reading.request, order, cancel, progress, earlier = model_->Candidates()] {
                          platform::ReleaseUpperVectorState();
                          SearchResult result;
                          result.orderRequest = order;
                          try {
                              result.set = FindCandidates(
                                  request,
                                  [&progress](double share) { progress->store(static_cast<int>(share * 1000)); },
                                  cancel.get(), earlier.get());
                              if (!result.set->outcome.cancelled)
                                  result.order = ComputeOrder(*result.set, {}, order, cancel.get());
                          } catch (const orbit::OrbitError& e) {
                              result.error = QString::fromUtf8(e.what());
                          } catch (const std::bad_alloc&) {
                              result.error = tr("Not enough memory for this search: ask for a narrower band or "
                                                "shorter cycles.");
                          }
                          return result;
                      })
        .then(this, [this, serial](SearchResult result) { TakeResult(serial, result); });
}

void ExplorerWindow::CancelSearch()
{
    if (searchCancel_)
        searchCancel_->store(true);
    searchCancel_.reset();
    ++searchSerial_;  // whatever is under way is no longer wanted
    searching_ = false;
    progressTimer_->stop();
    progressBar_->hide();
}

void ExplorerWindow::TakeResult(std::uint64_t serial, SearchResult& result)
{
    if (serial != searchSerial_)
        return;
    searching_ = false;
    searchCancel_.reset();
    progressTimer_->stop();
    progressBar_->hide();
    searchOutdated_ = false;
    KeepCurrentRow();
    if (!result.error.isEmpty() || !result.set) {
        problem_ = result.error;
        model_->SetCandidates(nullptr);
    } else {
        proxy_->PrepareOrder(result.set.get(), std::move(result.order), result.orderRequest);
        model_->SetCandidates(result.set);
        FollowSortColumn();
        if (proxy_->Request().filter != inputs_->Filter())
            proxy_->SetFilter(inputs_->Filter());  // edited while the search ran
        if (shownColumns_ != model_->columnCount() && model_->rowCount() > 0) {
            table_->resizeColumnsToContents();
            shownColumns_ = model_->columnCount();
        }
        RestoreCurrentRow();
        StartRevisits();
    }
    UpdateStatus();
    UpdateCommands();
    emit SearchFinished();
}

void ExplorerWindow::FollowSortColumn()
{
    // The sort stays with its figure; when a new set lacks that column (no
    // swath now), the table goes back to the search's order.
    const OrderRequest& request = proxy_->Request();
    int column = request.sortColumn ? model_->ColumnIndexOf(*request.sortColumn) : -1;
    Qt::SortOrder order = request.descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    if (column < 0) {
        column = model_->ColumnIndexOf(ExplorerColumn::MeanAltitudeKm);
        order = Qt::DescendingOrder;
    }
    QHeaderView* header = table_->horizontalHeader();
    if (header->sortIndicatorSection() != column || header->sortIndicatorOrder() != order)
        header->setSortIndicator(column, order);  // sorts through the proxy
    else
        proxy_->sort(column, order);
}

void ExplorerWindow::StartRevisits()
{
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    if (!set || !set->HasSwath() || model_->PendingRevisits() == 0 || !isVisible())
        return;
    revisitJob_ = revisits_->Start(set, model_->Revisits());
    PrioritizeVisibleRows();
}

void ExplorerWindow::TakeRevisits(std::uint64_t job, const RevisitBatch& batch)
{
    if (job != revisitJob_)
        return;
    model_->AddRevisits(batch);
    UpdateStatus();
}

void ExplorerWindow::RevisitsFinished(std::uint64_t job)
{
    if (job != revisitJob_)
        return;
    // Rows sorted while their figures were pending take their places now.
    if (proxy_->Request().sortColumn == ExplorerColumn::WorstRevisitDays)
        proxy_->Refresh();
    UpdateStatus();
}

int ExplorerWindow::CurrentSourceRow() const
{
    const QModelIndex current = table_->selectionModel()->currentIndex();
    return current.isValid() ? proxy_->SourceRow(current.row()) : -1;
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
    if (row < 0) {
        details_->Clear();
    } else {
        platform::RunHandler(this,
                             [&] { details_->ShowCandidate(model_->Candidates().get(), static_cast<std::size_t>(row)); });
    }
    UpdateCommands();
}

void ExplorerWindow::PrioritizeVisibleRows()
{
    priorityDelay_->stop();
    if (!revisits_->Busy() || proxy_->rowCount() == 0)
        return;
    std::vector<std::int32_t> rows;
    if (const int current = CurrentSourceRow(); current >= 0)
        rows.push_back(current);
    const int first = std::max(0, table_->rowAt(0));
    int last = table_->rowAt(table_->viewport()->height() - 1);
    if (last < 0)
        last = proxy_->rowCount() - 1;
    for (int row = first; row <= last; ++row)
        rows.push_back(proxy_->SourceRow(row));
    revisits_->Prioritize(std::move(rows));
}

void ExplorerWindow::ShowProgress()
{
    if (searchProgress_)
        progressBar_->setValue(searchProgress_->load());
}

void ExplorerWindow::UpdateStatus()
{
    const std::shared_ptr<const CandidateSet>& set = model_->Candidates();
    QStringList parts;
    QString toolTip;
    if (!problem_.isEmpty()) {
        parts << problem_;
    } else if (Searching()) {
        parts << tr("Searching\u2026");
    } else if (set) {
        const orbit::analysis::SearchOutcome& outcome = set->outcome;
        parts << (set->size() == 0 ? tr("No repeat orbit lies in this band.")
                                   : Count(static_cast<std::int64_t>(set->size()), "repeat orbit found.",
                                           "repeat orbits found."));
        if (proxy_->rowCount() != model_->rowCount() && !proxy_->Ordering())
            parts << tr("%1 shown.").arg(proxy_->rowCount());
        if (const int failed = outcome.failureCount(); failed > 0) {
            parts << Count(failed, "candidate failed to solve.", "candidates failed to solve.");
            QStringList reasons;
            for (const auto& [text, count] : outcome.failures)
                reasons << tr("%1: %2").arg(QString::fromUtf8(text.c_str())).arg(count);
            toolTip = tr("Candidates left out because the solver failed on them:\n") + reasons.join('\n');
        }
        if (outcome.notSunSynchronous > 0)
            parts << Count(outcome.notSunSynchronous, "design left out: no sun-synchronous orbit at its axis.",
                           "designs left out: no sun-synchronous orbit at their axes.");
        if (model_->PendingRevisits() > 0)
            parts << Count(model_->PendingRevisits(), "revisit figure pending.", "revisit figures pending.");
    }
    if (proxy_->Ordering())
        parts << tr("Sorting\u2026");
    if (!saveNote_.isEmpty())
        parts << saveNote_;
    statusLine_->setText(parts.join(QLatin1Char(' ')));
    statusLine_->setToolTip(toolTip);
}

void ExplorerWindow::UpdateCommands()
{
    useButton_->setEnabled(CurrentSourceRow() >= 0 && target_ != nullptr);
    copyButton_->setEnabled(table_->selectionModel()->hasSelection());
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
    QtConcurrent::run([set, revisits = model_->Revisits(), rows = std::move(rows), columns = model_->Columns()] {
        return QString::fromStdString(CopiedRowsText(*set, revisits, rows, columns));
    }).then(this, [this](const QString& text) {
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
    QtConcurrent::run([set, revisits = model_->Revisits(), rows = std::move(rows), path]() -> QString {
        try {
            platform::WriteOutputFile(path, QByteArray::fromStdString(CsvText(*set, revisits, rows)));
        } catch (const orbit::OrbitError& e) {
            return QString::fromUtf8(e.what());
        } catch (const std::bad_alloc&) {
            return tr("Not enough memory to write %1").arg(QDir::toNativeSeparators(path));
        }
        return {};
    }).then(this, [this, path, count, pending](const QString& error) {
        if (error.isEmpty()) {
            saveNote_ = Count(static_cast<std::int64_t>(count), "row", "rows") + tr(" saved to %1.").arg(
                QDir::toNativeSeparators(path));
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

void OpenExplorer(ExplorerWindow::DesignTarget target)
{
    ExplorerWindow& window = ExplorerWindow::Instance();
    window.SetDesignTarget(std::move(target));
    window.ShowWindow();
}

}  // namespace explorer
