#include "explorer/compare_window.h"

#include "core/design_name.h"
#include "core/orbit_error.h"
#include "core/result_fields.h"
#include "explorer/candidate_text.h"
#include "explorer/overlay_map.h"
#include "map/ground_track_map.h"
#include "platform/vector_state.h"
#include "platform/window_placement.h"
#include "platform/window_close.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace explorer {

namespace {

// Apart from each other on the map and for most colour vision.
const std::array<QColor, CompareWindow::kMost> kOrbitColours{
    QColor(0, 114, 178), QColor(213, 94, 0), QColor(0, 158, 115), QColor(204, 121, 167)};

QIcon Swatch(const QColor& colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

CompareWindow::CompareWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("CompareOrbits"));
    setWindowTitle(tr("Compare Repeat Orbits"));

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("CompareTable"));
    table_->setAccessibleName(tr("The orbits compared, one column each"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* tableLabel = new QLabel(tr("&Figures:"), this);
    tableLabel->setBuddy(table_);

    map_ = new OverlayMap(this);
    map_->setFocusPolicy(Qt::StrongFocus);  // reached with Tab, read by a screen reader
    mapCaption_ = new QLabel(tr("The first day's ground track of each orbit, in the colour of its column"), this);
    mapCaption_->setWordWrap(true);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    auto* top = new QWidget(splitter);
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(tableLabel);
    topLayout->addWidget(table_);
    auto* bottom = new QWidget(splitter);
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->addWidget(map_, 1);
    bottomLayout->addWidget(mapCaption_);
    splitter->addWidget(top);
    splitter->addWidget(bottom);
    splitter->setChildrenCollapsible(false);

    auto* close = new QPushButton(tr("Close"), this);
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    platform::CloseOnEscape(*this, close);

    setTabOrder(table_, map_);
    setTabOrder(map_, close);
    const QFontMetrics metrics(font());
    platform::SizeToScreen(*this, QSize(metrics.averageCharWidth() * 130, metrics.height() * 45));
}

int CompareWindow::RowOf(const QString& caption) const
{
    for (int row = 0; row < table_->rowCount(); ++row)
        if (const QTableWidgetItem* header = table_->verticalHeaderItem(row); header && header->text() == caption)
            return row;
    return -1;
}

void CompareWindow::Compare(std::shared_ptr<const CandidateSet> set, std::vector<std::size_t> rows,
                            const std::vector<RevisitFigure>& known)
{
    revisits_.Cancel();
    set_ = std::move(set);
    rows_ = std::move(rows);
    if (!set_ || rows_.size() < kFewest || rows_.size() > kMost)
        throw orbit::OrbitError(orbit::ErrorKind::InvalidArgument, "Compare takes two to four orbits");
    platform::ReleaseUpperVectorState();

    const orbit::OrbitType type = set_->request.search.type;
    QStringList captions;
    for (const orbit::ResultFieldInfo& info : orbit::kResultFields)
        if (orbit::ShownFor(info.field, type))
            captions << QString::fromUtf8(info.caption);
    const bool swath = set_->HasSwath();
    if (swath)
        captions << tr("Sidelap at the equator (%)") << tr("Worst revisit (days)");
    table_->clear();
    table_->setRowCount(static_cast<int>(captions.size()));
    table_->setColumnCount(static_cast<int>(rows_.size()));
    table_->setVerticalHeaderLabels(captions);
    revisitRow_ = swath ? static_cast<int>(captions.size()) - 1 : -1;

    std::vector<OverlayMap::Orbit> orbits;
    std::vector<RevisitFigure> revisits;
    bool pending = false;
    const int swatch = fontMetrics().height();
    for (std::size_t column = 0; column < rows_.size(); ++column) {
        const std::size_t row = rows_[column];
        orbit::DesignRecord record;
        const orbit::RepeatOrbitSolution solution = orbit::SolveRepeatOrbit(
            orbit::RepeatOrbitInputs::Fixed(set_->Row(row).N, set_->Row(row).M, set_->Row(row).Q, type,
                                            set_->request.search.inclDegrees, set_->request.search.inclTenths),
            {}, record);
        const QString name = QString::fromStdString(orbit::DesignName(record, type));
        auto* header = new QTableWidgetItem(Swatch(kOrbitColours[column], swatch), name);
        table_->setHorizontalHeaderItem(static_cast<int>(column), header);
        int line = 0;
        for (const orbit::ResultFieldInfo& info : orbit::kResultFields) {
            if (!orbit::ShownFor(info.field, type))
                continue;
            const std::optional<double> value = orbit::ValueOf(solution, info.field);
            table_->setItem(line++, static_cast<int>(column),
                            Cell(value ? QString::fromStdString(orbit::FormatResult(info.field, *value)) : QString()));
        }
        if (swath) {
            table_->setItem(line, static_cast<int>(column),
                            Cell(QString::fromStdString(CellText(*set_, {}, row, ExplorerColumn::SidelapPercent))));
            revisits.push_back(row < known.size() ? known[row] : RevisitFigure{});
            pending = pending || revisits.back().state == RevisitFigure::State::Pending;
        }
        OverlayMap::Orbit orbit{name, kOrbitColours[column], {}};
        try {
            const world_map::GroundTrackMap map(world_map::MapDesignOf(record, type));
            orbit.track = map.Day(0).track;
        } catch (const orbit::OrbitError&) {
            // A design without a track to draw still has its figures.
        }
        orbits.push_back(std::move(orbit));
    }
    map_->SetOrbits(std::move(orbits));
    table_->resizeRowsToContents();

    if (swath)
        ShowRevisits(revisits);
    if (!pending) {
        emit FiguresComplete();
        return;
    }
    revisits_.Start(
        [set = set_, rows = rows_, revisits](const std::atomic<bool>& cancelled) {
            platform::ReleaseUpperVectorState();
            std::vector<RevisitFigure> figures = revisits;
            for (std::size_t i = 0; i < figures.size() && !cancelled.load(); ++i)
                if (figures[i].state == RevisitFigure::State::Pending)
                    figures[i] = WorstRevisitOf(*set, rows[i]);
            return figures;
        },
        [this](const std::vector<RevisitFigure>& figures) {
            ShowRevisits(figures);
            emit FiguresComplete();
        });
}

void CompareWindow::ShowRevisits(const std::vector<RevisitFigure>& figures)
{
    if (revisitRow_ < 0)
        return;
    for (std::size_t column = 0; column < figures.size() && column < rows_.size(); ++column)
        table_->setItem(revisitRow_, static_cast<int>(column),
                        Cell(QString::fromStdString(
                            CellText(*set_, figures[column], rows_[column], ExplorerColumn::WorstRevisitDays))));
}

}  // namespace explorer
