#include "explorer/coverage_pane.h"

#include "chart/coverage_chart.h"
#include "core/design_name.h"
#include "core/orbit_error.h"
#include "platform/vector_state.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QtCharts/QChartView>

#include <variant>

namespace explorer {

namespace {

// What the background work hands back: the table, or why there is none.
using Outcome = std::variant<orbit::analysis::CoverageTable, QString>;

}  // namespace

CoveragePane::CoveragePane(QWidget* parent) : QWidget(parent)
{
    view_ = new QChartView(this);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setAccessibleName(tr("Coverage by latitude of the selected orbit"));
    view_->setMinimumHeight(fontMetrics().height() * 10);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_, 1);
    layout->addWidget(note_);
    Clear();
}

void CoveragePane::Clear()
{
    work_.Cancel();
    table_.reset();
    view_->setChart(new QChart);  // the view owns its chart and deletes the last
    note_->clear();
    hide();
}

void CoveragePane::ShowCandidate(const CandidateSet* set, std::size_t row)
{
    if (!set || !set->HasSwath() || row >= set->size()) {
        Clear();
        return;
    }
    show();
    table_.reset();
    view_->setChart(new QChart);
    note_->setText(tr("Working out the coverage by latitude\u2026"));
    const orbit::DesignRecord design = DesignOf(set->Row(row), set->request.search);
    const QString title = QString::fromStdString(orbit::DesignName(design, set->request.search.type));
    work_.Start(
        [design, request = set->request, sun = set->sun](const std::atomic<bool>&) -> Outcome {
            platform::ReleaseUpperVectorState();
            try {
                return CoverageOf(request, sun.get(), design);
            } catch (const orbit::OrbitError& e) {
                return QString::fromUtf8(e.what());
            }
        },
        [this, title](const Outcome& outcome) {
            if (const auto* table = std::get_if<orbit::analysis::CoverageTable>(&outcome)) {
                table_ = *table;
                view_->setChart(chart::MakeCoverageChart(*table, title).release());
                note_->clear();
            } else {
                note_->setText(tr("No coverage chart: %1").arg(std::get<QString>(outcome)));
            }
            emit ChartShown();
        });
}

}  // namespace explorer
