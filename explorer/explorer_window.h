#pragma once
// "Find Repeat Orbits": the explorer window. The analyst states an orbit
// type, an altitude band, the cycle lengths and a swath; the table lists
// every repeat orbit found, sortable by each figure and filtered by grid
// spacing, sub-cycle and equatorial gaps; the selected orbit's details sit
// beside it; "Use in design window" carries it over.
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
#include "platform/background_work.h"

#include <QString>
#include <QThreadPool>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace explorer {

class CandidateDetails;
class CandidateModel;
class CandidateProxy;
class ExplorerInputs;
class RevisitWorker;
struct SearchResult;

class ExplorerWindow : public QWidget {
    Q_OBJECT

public:
    // The single instance, created (not shown) on first use.
    static ExplorerWindow& Instance();
    ~ExplorerWindow() override;

    // Shows the window and brings it to the front.
    void ShowWindow();

    // Where "Use in design window" sends the chosen orbit.
    using DesignTarget = std::function<void(const DesignChoice&)>;
    void SetDesignTarget(DesignTarget target);

    // Asks for the CSV file to write; an empty answer cancels. The window's
    // own asks with a file dialog; tests put in one that needs no dialog.
    using SaveDialog = std::function<QString(QWidget* parent)>;
    void SetSaveDialog(SaveDialog dialog);

    ExplorerInputs* Inputs() const { return inputs_; }
    QTableView* Table() const { return table_; }
    CandidateModel* Model() const { return model_; }
    CandidateProxy* Proxy() const { return proxy_; }
    CandidateDetails* Details() const { return details_; }
    QPushButton* UseButton() const { return useButton_; }
    QPushButton* CopyButton() const { return copyButton_; }
    QPushButton* SaveButton() const { return saveButton_; }
    QLabel* StatusLine() const { return statusLine_; }
    QProgressBar* ProgressBar() const { return progressBar_; }

    // True while a search is under way or waiting for the typing to stop.
    bool Searching() const;
    // The orbit of the current row, as the design window takes it.
    std::optional<DesignChoice> CurrentChoice() const;

    // The handlers, each run inside the handler boundary.
    void UseInDesignWindow_Click();
    void Copy_Click();
    void SaveCsv_Click();

signals:
    // A search has ended and its orbits are in the table.
    void SearchFinished();
    // The clipboard holds the copied rows.
    void CopyFinished();
    // The CSV file has been written, or its error reported.
    void SaveFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // explorer_window.cpp: the window and its controls.
    ExplorerWindow();
    // explorer_search.cpp: the search, the revisits, the status line.
    void StartSearch();
    void CancelSearch();
    void TakeResult(SearchResult& result);
    void FollowSortColumn();
    void StartRevisits();
    void TakeRevisits(std::uint64_t job, const RevisitBatch& batch);
    void RevisitsFinished(std::uint64_t job);
    void PrioritizeVisibleRows();
    void ShowProgress();
    void UpdateStatus();
    static QString CountText(std::int64_t n, const char* one, const char* many);
    // explorer_commands.cpp: the selection, the details and the commands.
    int CurrentSourceRow() const;
    void KeepCurrentRow();
    void RestoreCurrentRow();
    void SelectSourceRow(int sourceRow);
    void ShowCurrent();
    void UpdateCommands();
    std::vector<std::size_t> SelectedSourceRows() const;

    ExplorerInputs* inputs_ = nullptr;
    QTableView* table_ = nullptr;
    CandidateModel* model_ = nullptr;
    CandidateProxy* proxy_ = nullptr;
    CandidateDetails* details_ = nullptr;
    RevisitWorker* revisits_ = nullptr;
    QPushButton* useButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
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
    std::optional<DesignChoice> keptRow_;  // the current row across a change of order or set
    int shownColumns_ = -1;

    DesignTarget target_;
    SaveDialog saveDialog_;
    QString saveNote_;
};

// "Find repeat orbits…" as the design window calls it: shows the explorer,
// which then sends its choices to `target`.
void OpenExplorer(ExplorerWindow::DesignTarget target);

}  // namespace explorer
