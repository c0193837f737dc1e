#pragma once
// "Find Repeat Orbits": the explorer window. The analyst states an orbit
// type, an altitude band, the cycle lengths and a swath; the table lists
// every repeat orbit found, sortable by each figure and filtered by grid
// spacing, sub-cycle and equatorial gaps; the selected orbit's details sit
// beside it; "Use in design window" carries it over; "Compare" shows two to
// four of them side by side.
//
// The window never waits on the long work: the search, the sidelaps, every
// sort and filter, the worst revisits, Copy and the CSV file are worked out
// in the background (platform/background_work.h) and handed over in one
// step, so the window answers at every keystroke even for cycles of a
// thousand days. Only the selected candidate's details (one solve, its
// pattern and a few days of its map) are made on the window's thread, in
// milliseconds. The results follow the inputs as they are typed; an edit
// cancels the search under way.
//
// One instance for the whole run, modeless and resizable.

#include "explorer/candidate_set.h"
#include "explorer/explorer_request.h"
#include "explorer/revisit_schedule.h"
#include "platform/background_work.h"
#include "session/design_session.h"

#include <QElapsedTimer>
#include <QString>
#include <QThreadPool>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTableView;
class QTimer;

namespace explorer {

class CandidateDetails;
class CandidateModel;
class CandidateProxy;
class ColumnChooser;
class CompareWindow;
class PinnedColumns;
class ExplorerInputs;
class RevisitWorker;
struct SearchResult;

class ExplorerWindow : public QWidget {
    Q_OBJECT

public:
    // The single instance, created (not shown) on first use.
    static ExplorerWindow& Instance();
    ~ExplorerWindow() override;

    // The size it opens at, where the screen allows: the table's default
    // columns and the details side by side.
    QSize sizeHint() const override;

    // Shows the window and brings it to the front.
    void ShowWindow();

    // Where "Use in design window" sends the chosen orbit.
    using DesignTarget = std::function<void(const DesignChoice&)>;
    void SetDesignTarget(DesignTarget target);

    // The design session whose mission the explorer follows: its satellites,
    // the passes that count and the daylight threshold apply to the sidelap
    // and the worst revisit; its swath seeds the swath box whenever it
    // changes, and the box stays the user's to edit. None: one satellite,
    // every pass, every look.
    void SetSession(std::shared_ptr<orbit::session::DesignSession> session);
    const std::shared_ptr<orbit::session::DesignSession>& Session() const { return session_; }
    QLabel* MissionLine() const { return missionLine_; }

    // Asks for the CSV file to write; an empty answer cancels. The window's
    // own asks with a file dialog; tests put in one that needs no dialog.
    using SaveDialog = std::function<QString(QWidget* parent)>;
    void SetSaveDialog(SaveDialog dialog);

    ExplorerInputs* Inputs() const { return inputs_; }
    QTableView* Table() const { return table_; }
    CandidateModel* Model() const { return model_; }
    CandidateProxy* Proxy() const { return proxy_; }
    CandidateDetails* Details() const { return details_; }
    ColumnChooser* Columns() const { return columns_; }
    PinnedColumns* Pinned() const { return pinned_; }
    QPushButton* UseButton() const { return useButton_; }
    QPushButton* CopyButton() const { return copyButton_; }
    QPushButton* SaveButton() const { return saveButton_; }
    QPushButton* CompareButton() const { return compareButton_; }
    // The "Compare" window, once opened.
    CompareWindow* Comparison() const { return compare_; }
    QLabel* StatusLine() const { return statusLine_; }
    QProgressBar* ProgressBar() const { return progressBar_; }

    // True while a search is under way or waiting for the typing to stop.
    bool Searching() const;
    // The orbit of the current candidate (the selected row), as the design
    // window takes it; none when no single row is selected.
    std::optional<DesignChoice> CurrentChoice() const;

    // The handlers, each run inside the handler boundary.
    void UseInDesignWindow_Click();
    void Copy_Click();
    void SaveCsv_Click();
    void Compare_Click();

signals:
    // The details and "Use in design window" have caught up with the
    // selection: they show, and act on, the current candidate or none.
    void CandidateChanged();
    // A search has ended and its orbits are in the table.
    void SearchFinished();
    // The clipboard holds the copied rows.
    void CopyFinished();
    // The CSV file has been written, or its error reported.
    void SaveFinished();
    // The revisit work asked for has ended: the rows in view have their
    // figures; sorted by the worst revisit, the rows down to the end of the
    // view are in their places too (sorted from the longest, every row).
    void RevisitsSettled();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // explorer_window.cpp: the window and its controls.
    ExplorerWindow();
    void BuildTable();
    QSplitter* BuildPanes();
    void BuildCommandButtons();
    void BuildStatusLine();
    void LayOut(QSplitter* panes);
    void AddShortcuts();
    void MakeTimers();
    void ConnectCommands();
    void ConnectInputs();
    void ConnectOrderAndSelection();
    void ConnectRevisits();
    // explorer_search.cpp: the search, the revisits, the status line.
    void StartSearch();
    void FollowMission();
    void ShowMission();
    void CancelSearch();
    void TakeResult(SearchResult& result);
    void FollowSortColumn();
    void StartRevisits();
    void TakeRevisits(std::uint64_t job, const RevisitBatch& batch);
    void TakeFloors(std::uint64_t job, const FloorBatch& batch);
    void ShowCandidates(std::shared_ptr<const CandidateSet> set);
    void RevisitsFinished(std::uint64_t job);
    void SettleRevisitOrder();
    void FollowRevisitSort();
    int LastRowInView() const;
    std::vector<std::int32_t> RowsInView() const;
    // What the table shows, as the revisit schedule reads it.
    RevisitView View() const;
    // The rows to work out first (RevisitSchedule::RowsWanted).
    std::vector<std::int32_t> RowsWanted() const;
    void PrioritizeVisibleRows();
    void ShowProgress();
    void UpdateStatus();
    QString RevisitStatus() const;
    static QString DurationText(double seconds);
    static QString CountText(std::int64_t n, const char* one, const char* many);
    // explorer_commands.cpp: the selection, the details and the commands.
    int CurrentSourceRow() const;
    void KeepCurrentRow();
    void RestoreCurrentRow();
    void SelectSourceRow(int sourceRow);
    void ShowCurrent();
    void UpdateCommands();
    std::vector<std::size_t> SelectedSourceRows() const;
    bool ComparableSelection() const;

    ExplorerInputs* inputs_ = nullptr;
    QTableView* table_ = nullptr;
    CandidateModel* model_ = nullptr;
    CandidateProxy* proxy_ = nullptr;
    CandidateDetails* details_ = nullptr;
    ColumnChooser* columns_ = nullptr;
    PinnedColumns* pinned_ = nullptr;
    RevisitWorker* revisits_ = nullptr;
    QPushButton* useButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    CompareWindow* compare_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QAction* copyAction_ = nullptr;   // Ctrl+C
    QAction* closeAction_ = nullptr;  // Escape
    QLabel* statusLine_ = nullptr;
    QProgressBar* progressBar_ = nullptr;

    QTimer* searchDelay_ = nullptr;    // the typing pause before a search
    QTimer* filterDelay_ = nullptr;
    QTimer* progressTimer_ = nullptr;  // reads the search's progress
    QTimer* priorityDelay_ = nullptr;  // gathers scrolling before telling the worker
    QTimer* detailsDelay_ = nullptr;   // gathers key repeats before drawing the details

    QThreadPool searchPool_;  // one search at a time: a cancelled one ends within milliseconds
    platform::LatestRequest search_{this, &searchPool_};
    platform::LatestRequest copy_{this};
    platform::LatestRequest save_{this};
    std::shared_ptr<std::atomic<int>> searchProgress_;  // per mille
    bool searchOutdated_ = true;  // the table does not show the inputs' search
    QString problem_;             // why there is no result
    std::uint64_t revisitJob_ = 0;
    QElapsedTimer revisitClock_;  // since the revisit job started
    RevisitSchedule schedule_;    // which rows' revisits come next, and the time left
    // The rows taken as in view before the table has been laid out.
    static constexpr int kRowsInViewAtMost = 100;
    std::optional<DesignChoice> keptRow_;  // the current row across a change of order or set
    // What the details show. A weak pointer keeps its control block, so a
    // later set never takes its place by reusing its address.
    std::weak_ptr<const CandidateSet> shownSet_;
    int shownRow_ = -1;
    int shownColumns_ = -1;

    std::shared_ptr<orbit::session::DesignSession> session_;
    orbit::session::DesignSession::Following following_;
    std::optional<double> seededSwathKm_;  // the mission's swath the swath box last took
    bool swathSeeded_ = false;
    orbit::session::MissionContext appliedMission_;  // what the last search was asked with
    QLabel* missionLine_ = nullptr;

    DesignTarget target_;
    SaveDialog saveDialog_;
    QString saveNote_;
};

// "Find repeat orbits…" as the design window calls it: shows the explorer,
// which then sends its choices to `target`.
void OpenExplorer(ExplorerWindow::DesignTarget target,
                  std::shared_ptr<orbit::session::DesignSession> session = nullptr);

}  // namespace explorer
