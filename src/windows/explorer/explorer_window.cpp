#include "explorer/explorer_window.h"

#include "explorer/candidate_details.h"
#include "explorer/candidate_model.h"
#include "explorer/candidate_proxy.h"
#include "explorer/column_chooser.h"
#include "explorer/compare_window.h"
#include "explorer/pinned_columns.h"
#include "explorer/explorer_inputs.h"
#include "explorer/revisit_worker.h"
#include "platform/handler_boundary.h"
#include "platform/window_placement.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace explorer {

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
constexpr int kRowsAlwaysShown = 10;
// N, M and Q name the orbit: they stay in view.
constexpr int kOrbitNameColumns = 3;
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

    inputs_ = new ExplorerInputs(this);  // the inputs and the filter bar
    BuildTable();
    QSplitter* panes = BuildPanes();
    BuildCommandButtons();
    BuildStatusLine();
    LayOut(panes);
    AddShortcuts();
    MakeTimers();
    revisits_ = new RevisitWorker(this);

    ConnectCommands();
    ConnectInputs();
    ConnectOrderAndSelection();
    ConnectRevisits();

    platform::SizeToScreen(*this, sizeHint());
    UpdateCommands();
    UpdateStatus();
    ShowMission();
}

// The candidates' model, its order and filter, and the table that shows
// them, with the columns chosen and pinned.
void ExplorerWindow::BuildTable()
{
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
    // However small the window, a few rows stay in sight.
    table_->setMinimumHeight(table_->verticalHeader()->defaultSectionSize() * kRowsAlwaysShown);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setResizeContentsPrecision(kWidthSampleRows);
    table_->horizontalHeader()->setSortIndicator(model_->ColumnIndexOf(ExplorerColumn::MeanAltitudeKm),
                                                 Qt::DescendingOrder);
    table_->setSortingEnabled(true);
    table_->installEventFilter(this);
    columns_ = new ColumnChooser(table_, model_);
    pinned_ = new PinnedColumns(table_, kOrbitNameColumns);
}

// The table beside the details, which scroll.
QSplitter* ExplorerWindow::BuildPanes()
{
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
    // The details scroll when the window is shorter than the pictures and
    // the chart they hold: the window's size is the user's.
    auto* detailsScroll = new QScrollArea(splitter);
    detailsScroll->setObjectName(QStringLiteral("DetailsPane"));
    detailsScroll->setWidgetResizable(true);
    detailsScroll->setFrameShape(QFrame::NoFrame);
    detailsScroll->setWidget(details_);
    // As wide as the details need (their pattern is readable from a given
    // width on): only the height scrolls.
    detailsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    detailsScroll->setMinimumWidth(details_->minimumSizeHint().width() +
                                   detailsScroll->verticalScrollBar()->sizeHint().width());
    splitter->addWidget(detailsScroll);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({3000, 1000});
    splitter->setChildrenCollapsible(false);
    return splitter;
}

void ExplorerWindow::BuildCommandButtons()
{
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
    compareButton_ = new QPushButton(tr("Co&mpare\u2026"), this);
    compareButton_->setObjectName(QStringLiteral("Compare"));
    compareButton_->setToolTip(tr("Show two to four selected orbits side by side, their tracks on one map"));
    closeButton_ = new QPushButton(tr("Close"), this);
    closeButton_->setObjectName(QStringLiteral("CloseExplorer"));
    for (QPushButton* button : {useButton_, copyButton_, saveButton_, compareButton_, closeButton_})
        button->setAutoDefault(false);
}

void ExplorerWindow::BuildStatusLine()
{
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("StatusLine"));
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long status wraps rather than widening the window for good.
    statusLine_->setWordWrap(true);
    progressBar_ = new QProgressBar(this);
    progressBar_->setRange(0, 1000);
    progressBar_->setAccessibleName(tr("Search progress"));
    progressBar_->hide();
}

// The inputs and the mission above the panes, the commands and the status
// below; the tab order follows.
void ExplorerWindow::LayOut(QSplitter* panes)
{
    auto* commands = new QHBoxLayout;
    commands->addWidget(useButton_);
    commands->addWidget(copyButton_);
    commands->addWidget(saveButton_);
    commands->addWidget(compareButton_);
    commands->addStretch(1);
    commands->addWidget(closeButton_);
    auto* status = new QHBoxLayout;
    status->addWidget(statusLine_, 1);
    status->addWidget(progressBar_);
    missionLine_ = new QLabel(this);
    missionLine_->setObjectName(QStringLiteral("MissionLine"));
    missionLine_->setWordWrap(true);
    missionLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inputs_);
    layout->addWidget(missionLine_);
    layout->addWidget(panes, 1);
    layout->addLayout(commands);
    layout->addLayout(status);

    setTabOrder(inputs_->LastInput(), table_);
    setTabOrder(table_, useButton_);
    setTabOrder(useButton_, copyButton_);
    setTabOrder(copyButton_, saveButton_);
    setTabOrder(saveButton_, compareButton_);
    setTabOrder(compareButton_, closeButton_);
}

// Ctrl+C copies the selected rows, Escape closes.
void ExplorerWindow::AddShortcuts()
{
    copyAction_ = new QAction(this);
    copyAction_->setShortcut(QKeySequence::Copy);
    addAction(copyAction_);
    closeAction_ = new QAction(this);
    closeAction_->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(closeAction_);
}

void ExplorerWindow::MakeTimers()
{
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
}

void ExplorerWindow::ConnectCommands()
{
    using platform::Handler;
    connect(useButton_, &QPushButton::clicked, this, Handler(this, &ExplorerWindow::UseInDesignWindow_Click));
    connect(table_, &QTableView::doubleClicked, this, Handler(this, &ExplorerWindow::UseInDesignWindow_Click));
    connect(copyButton_, &QPushButton::clicked, this, Handler(this, &ExplorerWindow::Copy_Click));
    connect(copyAction_, &QAction::triggered, this, Handler(this, &ExplorerWindow::Copy_Click));
    connect(saveButton_, &QPushButton::clicked, this, Handler(this, &ExplorerWindow::SaveCsv_Click));
    connect(compareButton_, &QPushButton::clicked, this, Handler(this, &ExplorerWindow::Compare_Click));
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(closeAction_, &QAction::triggered, this, &QWidget::close);
}

// An edit of the request searches anew after the typing pause; an edit of
// the filter filters after its own.
void ExplorerWindow::ConnectInputs()
{
    connect(inputs_, &ExplorerInputs::RequestEdited, this, [this] {
        searchOutdated_ = true;
        searchDelay_->start();
        UpdateStatus();
    });
    connect(inputs_, &ExplorerInputs::FilterEdited, filterDelay_, qOverload<>(&QTimer::start));
    connect(filterDelay_, &QTimer::timeout, this, [this] { proxy_->SetFilter(inputs_->Filter()); });
    connect(progressTimer_, &QTimer::timeout, this, &ExplorerWindow::ShowProgress);
}

void ExplorerWindow::ConnectOrderAndSelection()
{
    connect(proxy_, &CandidateProxy::OrderAboutToChange, this, &ExplorerWindow::KeepCurrentRow);
    connect(proxy_, &CandidateProxy::OrderChanged, this, &ExplorerWindow::RestoreCurrentRow);
    connect(proxy_, &CandidateProxy::OrderChanged, priorityDelay_, qOverload<>(&QTimer::start));
    connect(proxy_, &CandidateProxy::OrderingChanged, this, &ExplorerWindow::UpdateStatus);
    connect(proxy_, &CandidateProxy::OrderingChanged, this, &ExplorerWindow::FollowRevisitSort);
    // After the view's own connection (made by setSortingEnabled above), so
    // the proxy has taken the new sort: an order already being worked out
    // reports no change of its ordering.
    connect(table_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, &ExplorerWindow::FollowRevisitSort);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, detailsDelay_,
            qOverload<>(&QTimer::start));
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, priorityDelay_,
            qOverload<>(&QTimer::start));
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ExplorerWindow::UpdateCommands);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ExplorerWindow::UpdateCommands);
    // Ctrl+click takes a row out of the selection without moving the focus.
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, detailsDelay_,
            qOverload<>(&QTimer::start));
    connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, priorityDelay_, qOverload<>(&QTimer::start));
}

void ExplorerWindow::ConnectRevisits()
{
    connect(revisits_, &RevisitWorker::FiguresReady, this, &ExplorerWindow::TakeRevisits);
    connect(revisits_, &RevisitWorker::FloorsReady, this, &ExplorerWindow::TakeFloors);
    connect(revisits_, &RevisitWorker::Finished, this, &ExplorerWindow::RevisitsFinished);
    connect(proxy_, &CandidateProxy::OrderChanged, this, &ExplorerWindow::SettleRevisitOrder);
}

ExplorerWindow::~ExplorerWindow() { CancelSearch(); }

QSize ExplorerWindow::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.averageCharWidth() * 210, metrics.height() * 50};
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

void ExplorerWindow::SetSession(std::shared_ptr<orbit::session::DesignSession> session)
{
    if (session == session_)
        return;
    following_ = {};
    session_ = std::move(session);
    swathSeeded_ = false;
    if (session_)
        following_ = session_->Follow([this] { FollowMission(); });
    FollowMission();
}

void ExplorerWindow::SetSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }

bool ExplorerWindow::Searching() const { return search_.Pending() || searchDelay_->isActive(); }

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
    if (compare_)
        compare_->close();  // it compares this window's rows
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

void OpenExplorer(ExplorerWindow::DesignTarget target, std::shared_ptr<orbit::session::DesignSession> session)
{
    ExplorerWindow& window = ExplorerWindow::Instance();
    window.SetDesignTarget(std::move(target));
    if (session)
        window.SetSession(std::move(session));
    window.ShowWindow();
}

}  // namespace explorer
