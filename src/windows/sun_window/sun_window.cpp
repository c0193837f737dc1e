#include "sun_window/sun_window.h"

#include "chart/chart_picture.h"
#include "chart/sun_chart.h"
#include "core/design_name.h"
#include "core/orbit_error.h"
#include "mission_window/mission_text.h"
#include "platform/file_output.h"
#include "platform/handler_boundary.h"
#include "platform/window_placement.h"
#include "sun/sun_text.h"
#include "platform/window_close.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtCharts/QChartView>

#include <cmath>
#include <sstream>

namespace sun_window {

namespace {

using orbit::session::CompletedDesign;
using orbit::session::MissionContext;

const QSize kFirstSize(1100, 860);
constexpr int kDefaultDays = 365;
constexpr int kDefaultLatitudeStepDeg = 10;

QString AskForSunFile(QWidget* parent, const QString& proposedName)
{
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Save Sun figures"), proposedName,
        QStringLiteral("CSV table by day (*.csv);;PNG chart (*.png);;SVG chart (*.svg)"), &filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QLatin1String("svg"))   ? QStringLiteral(".svg")
                : filter.contains(QLatin1String("png")) ? QStringLiteral(".png")
                                                        : QStringLiteral(".csv");
    return path;
}

// What a computation is asked for, as text: equal keys give equal figures.
std::string KeyOf(const CompletedDesign& design, const MissionContext& mission, const orbit::sun::SunSpan& span)
{
    std::ostringstream key;
    key.precision(17);
    key << design.number << ' ' << mission.epoch->IsoUtc(6) << ' ' << static_cast<int>(mission.node.given) << ' '
        << mission.node.value << ' ' << span.days << ' ' << span.stepDays << ' ' << span.latitudeStepDeg;
    return key.str();
}

struct Outcome {
    std::optional<SunWindowFigures> figures;
    QString error;
};

QString Degrees(double value) { return QStringLiteral("%1\u00b0").arg(value, 0, 'f', 1); }

QString HoursMinutes(double hours)
{
    return QString::fromStdString(orbit::ephemeris::LocalTimeText(hours)).left(5);
}

}  // namespace

SunWindow::SunWindow(std::shared_ptr<orbit::session::DesignSession> session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(std::move(session)), saveDialog_(AskForSunFile)
{
    setObjectName(QStringLiteral("SunAndEclipses"));
    setWindowTitle(QStringLiteral("Sun and Eclipses"));

    designLine_ = new QLabel(this);
    designLine_->setObjectName(QStringLiteral("DesignLine"));
    designLine_->setWordWrap(true);
    designLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    daysBox_ = new QSpinBox(this);
    daysBox_->setObjectName(QStringLiteral("DaysBox"));
    daysBox_->setRange(1, static_cast<int>(orbit::sun::kMaxSpanDays));
    daysBox_->setValue(kDefaultDays);
    daysBox_->setSuffix(QStringLiteral(" days"));
    daysBox_->setKeyboardTracking(false);
    daysBox_->setToolTip(QStringLiteral("The span from the epoch, a row a day"));
    auto* daysLabel = new QLabel(QStringLiteral("S&pan:"), this);
    daysLabel->setBuddy(daysBox_);

    latitudeStepBox_ = new QSpinBox(this);
    latitudeStepBox_->setObjectName(QStringLiteral("LatitudeStepBox"));
    latitudeStepBox_->setRange(1, 90);
    latitudeStepBox_->setValue(kDefaultLatitudeStepDeg);
    latitudeStepBox_->setSuffix(QStringLiteral("\u00b0"));
    latitudeStepBox_->setKeyboardTracking(false);
    latitudeStepBox_->setToolTip(QStringLiteral("The latitudes of the pass table, every so many degrees"));
    auto* latitudeLabel = new QLabel(QStringLiteral("&Latitude every:"), this);
    latitudeLabel->setBuddy(latitudeStepBox_);

    copyButton_ = new QPushButton(QStringLiteral("&Copy table"), this);
    copyButton_->setObjectName(QStringLiteral("CopyTable"));
    copyButton_->setToolTip(QStringLiteral("The table by day as CSV, as repeat-orbit sun --csv writes it"));
    saveButton_ = new QPushButton(QStringLiteral("&Save\u2026"), this);
    saveButton_->setObjectName(QStringLiteral("SaveSun"));
    saveButton_->setToolTip(QStringLiteral("The table by day as CSV, or the chart as PNG or SVG"));
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("CloseSun"));

    chartView_ = new QChartView(this);
    chartView_->setObjectName(QStringLiteral("SunChart"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumHeight(240);
    chartView_->setFocusPolicy(Qt::NoFocus);

    auto* summaryBox = new QGroupBox(QStringLiteral("Summary"), this);
    // Scrolls when the window is made small; Tab reaches it and the arrows scroll it.
    summary_ = new QTextBrowser(summaryBox);
    summary_->setObjectName(QStringLiteral("Summary"));
    summary_->setFrameShape(QFrame::NoFrame);
    summary_->setOpenLinks(false);
    auto* summaryLayout = new QVBoxLayout(summaryBox);
    summaryLayout->addWidget(summary_, 1);

    auto* passesBox = new QGroupBox(QStringLiteral("Passes by latitude"), this);
    dayBox_ = new QSpinBox(passesBox);
    dayBox_->setObjectName(QStringLiteral("DayBox"));
    dayBox_->setRange(0, 0);
    dayBox_->setPrefix(QStringLiteral("day "));
    dayBox_->setToolTip(QStringLiteral("The day of the span whose passes the table shows, from day 0"));
    auto* dayLabel = new QLabel(QStringLiteral("&On:"), passesBox);
    dayLabel->setBuddy(dayBox_);
    dayLine_ = new QLabel(passesBox);
    dayLine_->setObjectName(QStringLiteral("DayLine"));
    dayLine_->setWordWrap(true);
    latitudeTable_ = new QTableWidget(0, 5, passesBox);
    latitudeTable_->setObjectName(QStringLiteral("LatitudeTable"));
    latitudeTable_->setHorizontalHeaderLabels(
        {QStringLiteral("Latitude"), QStringLiteral("Ascending\nlocal time"), QStringLiteral("Ascending\nSun"),
         QStringLiteral("Descending\nlocal time"), QStringLiteral("Descending\nSun")});
    latitudeTable_->setToolTip(QStringLiteral(
        "The mean local solar time of each pass and the Sun's elevation at the point below it"));
    latitudeTable_->verticalHeader()->hide();
    latitudeTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    latitudeTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    latitudeTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(dayLabel);
    dayRow->addWidget(dayBox_);
    dayRow->addWidget(dayLine_, 1);
    auto* passesLayout = new QVBoxLayout(passesBox);
    passesLayout->addLayout(dayRow);
    passesLayout->addWidget(latitudeTable_, 1);

    auto* controls = new QHBoxLayout;
    controls->addWidget(daysLabel);
    controls->addWidget(daysBox_);
    controls->addSpacing(12);
    controls->addWidget(latitudeLabel);
    controls->addWidget(latitudeStepBox_);
    controls->addStretch(1);
    controls->addWidget(copyButton_);
    controls->addWidget(saveButton_);
    controls->addWidget(closeButton_);

    auto* lower = new QWidget(this);
    auto* lowerLayout = new QHBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(summaryBox, 1);
    lowerLayout->addWidget(passesBox, 1);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(chartView_);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(designLine_);
    layout->addLayout(controls);
    layout->addWidget(splitter, 1);

    setTabOrder(daysBox_, latitudeStepBox_);
    setTabOrder(latitudeStepBox_, copyButton_);
    setTabOrder(copyButton_, saveButton_);
    setTabOrder(saveButton_, closeButton_);
    setTabOrder(closeButton_, summary_);
    setTabOrder(summary_, dayBox_);
    setTabOrder(dayBox_, latitudeTable_);

    platform::CloseOnEscape(*this, closeButton_);

    using platform::Handler;
    connect(daysBox_, &QSpinBox::valueChanged, this, [this] { platform::RunHandler(this, [this] { Span_Change(); }); });
    connect(latitudeStepBox_, &QSpinBox::valueChanged, this,
            [this] { platform::RunHandler(this, [this] { Span_Change(); }); });
    connect(dayBox_, &QSpinBox::valueChanged, this, Handler(this, &SunWindow::Day_Change));
    connect(copyButton_, &QPushButton::clicked, this, Handler(this, &SunWindow::Copy_Click));
    connect(saveButton_, &QPushButton::clicked, this, Handler(this, &SunWindow::Save_Click));

    following_ = session_->Follow([this] { platform::RunHandler(this, [this] { SessionChanged(); }); });
    ShowNoFigures(QString());
    platform::SizeToScreen(*this, kFirstSize);
}

SunWindow::~SunWindow() = default;

void SunWindow::ShowWindow()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    Recompute(false);
}

void SunWindow::SetSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }

void SunWindow::SessionChanged()
{
    // Worked out only while open: a hidden window catches up when shown.
    if (isVisible())
        Recompute(false);
}

void SunWindow::Span_Change() { Recompute(false); }

void SunWindow::Recompute(bool force)
{
    const std::optional<CompletedDesign>& design = session_->LastCompleted();
    const MissionContext& mission = session_->Mission();
    if (!design) {
        computing_.Cancel();
        requestKey_.clear();
        ShowNoFigures(QStringLiteral("No design yet: compute one in the design window."));
        return;
    }
    if (!mission.HasEpoch()) {
        computing_.Cancel();
        requestKey_.clear();
        ShowNoFigures(QString::fromStdString(orbit::DesignName(design->record, design->type)) + QStringLiteral(": ") +
                      QString::fromUtf8(mission_window::kEpochNeeded));
        return;
    }
    orbit::sun::SunSpan span;
    span.days = daysBox_->value();
    span.stepDays = 1;
    span.latitudeStepDeg = latitudeStepBox_->value();
    const std::string key = KeyOf(*design, mission, span);
    if (!force && key == requestKey_)
        return;
    requestKey_ = key;

    designLine_->setText(QStringLiteral("Working out the Sun over %1 days for %2\u2026")
                             .arg(span.days)
                             .arg(QString::fromStdString(orbit::DesignName(design->record, design->type))));
    copyButton_->setEnabled(false);
    saveButton_->setEnabled(false);
    const CompletedDesign designCopy = *design;
    const MissionContext missionCopy = mission;
    computing_.Start(
        [designCopy, missionCopy, span](const std::atomic<bool>&) -> Outcome {
            try {
                SunWindowFigures result;
                result.designNumber = designCopy.number;
                result.designName = orbit::DesignName(designCopy.record, designCopy.type);
                result.epoch = missionCopy.epoch;
                result.node = *orbit::session::NodeOf(designCopy, missionCopy);
                result.span = span;
                result.figures = orbit::sun::SunFiguresOf(designCopy.record, designCopy.solution.SemiMajorAxis,
                                                          *missionCopy.epoch, result.node, span);
                return {std::move(result), QString()};
            } catch (const std::exception& e) {
                return {std::nullopt, QString::fromStdString(e.what())};
            }
        },
        [this](Outcome outcome) { ShowFigures(std::move(outcome.figures), outcome.error); });
}

void SunWindow::ShowNoFigures(const QString& why)
{
    shown_.reset();
    // The view releases the chart it shows when given another.
    QChart* old = chartView_->chart();
    chartView_->setChart(new QChart);
    delete old;
    designLine_->setText(why.isEmpty() ? QStringLiteral("Open from a design window with a computed design.") : why);
    setWindowTitle(QStringLiteral("Sun and Eclipses"));
    summary_->clear();
    dayLine_->clear();
    latitudeTable_->setRowCount(0);
    dayBox_->setRange(0, 0);
    copyButton_->setEnabled(false);
    saveButton_->setEnabled(false);
    emit FiguresShown();
}

void SunWindow::ShowFigures(std::optional<SunWindowFigures> figures, const QString& error)
{
    if (!figures) {
        requestKey_.clear();
        ShowNoFigures(QStringLiteral("The Sun's figures could not be worked out: %1").arg(error));
        return;
    }
    shown_ = std::move(figures);
    const SunWindowFigures& f = *shown_;
    std::unique_ptr<QChart> chart = chart::MakeSunChart(f.figures, ChartTitle());
    QChart* old = chartView_->chart();
    chartView_->setChart(chart.release());
    delete old;

    const bool newest = session_->LastCompleted() && session_->LastCompleted()->number == f.designNumber &&
                        session_->LastIsShown();
    const QString name = QString::fromStdString(f.designName);
    setWindowTitle(newest ? QStringLiteral("Sun and Eclipses \u2014 %1").arg(name)
                          : QStringLiteral("Sun and Eclipses \u2014 last completed design: %1").arg(name));
    designLine_->setText(QStringLiteral("%1, epoch %2 (UT1 taken as UTC), %3 days from the epoch")
                             .arg(name, QString::fromStdString(f.epoch->IsoUtc(0)))
                             .arg(f.span.days));

    QString summary = QString::fromStdString(mission_window::NodeFiguresText(f.node)).toHtmlEscaped();
    summary.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    summary += QStringLiteral("<table style='margin-top:8px'>");
    for (const auto& [label, text] : orbit::sun::SunSummaryLines(*f.epoch, f.figures, f.span))
        summary += QStringLiteral("<tr><td style='padding-right:12px'><b>%1</b></td><td>%2</td></tr>")
                       .arg(QString::fromStdString(label).toHtmlEscaped(),
                            QString::fromStdString(text).toHtmlEscaped());
    summary += QStringLiteral("</table>");
    summary_->setText(summary);

    const int rows = static_cast<int>(f.figures.days.size());
    const int day = std::min(dayBox_->value(), rows - 1);
    {
        const QSignalBlocker blocker(dayBox_);
        dayBox_->setRange(0, rows - 1);
        dayBox_->setValue(day);
    }
    ShowDayTable();
    copyButton_->setEnabled(true);
    saveButton_->setEnabled(true);
    emit FiguresShown();
}

void SunWindow::Day_Change(int) { ShowDayTable(); }

void SunWindow::ShowDayTable()
{
    if (!shown_) {
        latitudeTable_->setRowCount(0);
        return;
    }
    const SunWindowFigures& f = *shown_;
    const auto row = static_cast<std::size_t>(dayBox_->value());
    dayLine_->setText(QString::fromStdString(orbit::sun::RowDateText(*f.epoch, f.figures, row, 0)) +
                      QStringLiteral(": the day's first passes"));
    const auto& latitudes = f.figures.latitudes;
    latitudeTable_->setRowCount(static_cast<int>(latitudes.size()));
    // North at the top, as on a map.
    for (std::size_t k = 0; k < latitudes.size(); ++k) {
        const orbit::sun::LatitudeLight& light = latitudes[latitudes.size() - 1 - k];
        const int r = static_cast<int>(k);
        const double lat = light.latitudeDeg;
        const QString latText = lat == 0 ? QStringLiteral("0\u00b0")
                                         : QStringLiteral("%1\u00b0 %2").arg(std::fabs(lat), 0, 'f', 0).arg(lat > 0 ? 'N' : 'S');
        const QString cells[] = {latText, HoursMinutes(light.ascending.localTimeH[row]),
                                 Degrees(light.ascending.sunElevationDeg[row]),
                                 HoursMinutes(light.descending.localTimeH[row]),
                                 Degrees(light.descending.sunElevationDeg[row])};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            latitudeTable_->setItem(r, c, item);
        }
    }
}

QString SunWindow::DaysCsv() const
{
    if (!shown_)
        return {};
    std::ostringstream csv;
    orbit::sun::WriteSunDaysCsv(*shown_->epoch, shown_->figures, csv);
    return QString::fromStdString(csv.str());
}

QString SunWindow::ChartTitle() const
{
    if (!shown_)
        return {};
    return QStringLiteral("Sun and eclipses: %1, LTAN %2 at %3")
        .arg(QString::fromStdString(shown_->designName),
             QString::fromStdString(orbit::ephemeris::LocalTimeText(shown_->node.ltanMeanH)),
             QString::fromStdString(shown_->epoch->IsoUtc(0)));
}

void SunWindow::Copy_Click()
{
    if (!shown_)
        return;
    QApplication::clipboard()->setText(DaysCsv());
    designLine_->setText(QStringLiteral("The table by day is on the clipboard as CSV (%1 rows).")
                             .arg(shown_->figures.days.size()));
}

void SunWindow::Save_Click()
{
    if (!shown_)
        return;
    QString path = saveDialog_ ? saveDialog_(this, QStringLiteral("sun.csv")) : QString();
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        chart::WriteSunChartPng(shown_->figures, ChartTitle(), path);
    else if (suffix == QLatin1String("svg"))
        chart::WriteSunChartSvg(shown_->figures, ChartTitle(), path);
    else
        platform::WriteOutputFile(path, DaysCsv().toUtf8());
    designLine_->setText(QStringLiteral("Saved %1").arg(QDir::toNativeSeparators(path)));
    emit Saved(path);
}

}  // namespace sun_window
