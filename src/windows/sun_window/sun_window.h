#pragma once
// The "Sun and Eclipses" window of one design window's session: over a span
// from the mission's epoch, the chart of beta (the Sun's angle above the
// orbit plane) and the umbra of each revolution, the summary with the
// eclipse seasons, the node's mean and true local times, and for a chosen
// day the local time and Sun elevation of the ascending and descending
// passes at each latitude. The figures are those of `repeat-orbit sun`
// (sun::SunFiguresOf), and the CSV the window copies and saves is that
// command's --csv.
//
// It follows the session: a new completed design or a new epoch or node is
// worked out again in the background, the newest request winning. Without an
// epoch it says that one is needed and where to set it.
//
// One per design window, modeless and resizable; every control is reached
// with Tab, Esc closes.

#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"
#include "platform/background_work.h"
#include "session/design_session.h"
#include "sun/sun_figures.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QChartView;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTextBrowser;

namespace sun_window {

// What one computation gives: the figures and what they were made from.
struct SunWindowFigures {
    std::uint64_t designNumber = 0;
    std::string designName;  // DesignName of the design
    std::optional<orbit::ephemeris::Instant> epoch;
    orbit::ephemeris::OrbitNode node;
    orbit::sun::SunSpan span;
    orbit::sun::SunFigures figures;
};

class SunWindow : public QWidget {
    Q_OBJECT

public:
    explicit SunWindow(std::shared_ptr<orbit::session::DesignSession> session, QWidget* parent = nullptr);
    ~SunWindow() override;

    // Shows the window, works out the figures if they are not those of the
    // session's design and mission, and brings it to the front.
    void ShowWindow();

    // Asks for the file to save to; an empty answer cancels. The window's
    // own asks with a file dialog; tests put in one that needs no dialog.
    using SaveDialog = std::function<QString(QWidget* parent, const QString& proposedName)>;
    void SetSaveDialog(SaveDialog dialog);

    QSpinBox* DaysBox() const { return daysBox_; }
    QSpinBox* LatitudeStepBox() const { return latitudeStepBox_; }
    QSpinBox* DayBox() const { return dayBox_; }
    QChartView* Chart() const { return chartView_; }
    QLabel* DesignLine() const { return designLine_; }
    QTextBrowser* Summary() const { return summary_; }
    QLabel* DayLine() const { return dayLine_; }
    QTableWidget* LatitudeTable() const { return latitudeTable_; }
    QPushButton* CopyButton() const { return copyButton_; }
    QPushButton* SaveButton() const { return saveButton_; }
    QPushButton* CloseButton() const { return closeButton_; }
    bool IsComputing() const { return computing_.Pending(); }
    // The figures shown, if any.
    const std::optional<SunWindowFigures>& Shown() const { return shown_; }

    // The day table as `repeat-orbit sun --csv` writes it; empty without figures.
    QString DaysCsv() const;
    // The chart's title: "Sun and eclipses: N 14, M 3, Q 10, sun-synchronous, LTAN 22:30:00 at 2027-03-21T00:00:00Z".
    QString ChartTitle() const;

    // The handlers, each run inside the handler boundary.
    void Span_Change();
    void Day_Change(int row);
    void Copy_Click();
    void Save_Click();

signals:
    // New figures are on show (chart, summary, table), or the window now
    // says why there are none.
    void FiguresShown();
    // A file was written completely.
    void Saved(const QString& path);

private:
    void SessionChanged();
    void Recompute(bool force);
    void ShowFigures(std::optional<SunWindowFigures> figures, const QString& error);
    void ShowNoFigures(const QString& why);
    void ShowDayTable();

    std::shared_ptr<orbit::session::DesignSession> session_;
    orbit::session::DesignSession::Following following_;
    std::optional<SunWindowFigures> shown_;
    std::string requestKey_;  // what the figures under way or shown were asked for
    SaveDialog saveDialog_;

    QSpinBox* daysBox_ = nullptr;
    QSpinBox* latitudeStepBox_ = nullptr;
    QSpinBox* dayBox_ = nullptr;
    QChartView* chartView_ = nullptr;
    QLabel* designLine_ = nullptr;
    QTextBrowser* summary_ = nullptr;
    QLabel* dayLine_ = nullptr;
    QTableWidget* latitudeTable_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    platform::LatestRequest computing_{this};
};

}  // namespace sun_window
