#include "chart/coverage_chart.h"

#include "core/orbit_error.h"
#include "chart/chart_picture.h"

#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <functional>
#include <optional>

namespace chart {

namespace {

using orbit::analysis::CoverageTable;
using orbit::analysis::LatitudeCoverage;

QValueAxis* AddAxis(QChart& chart, const QString& title, double low, double high, Qt::Alignment side)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(low, high);
    chart.addAxis(axis, side);
    return axis;
}

// One figure against latitude: a line through every latitude where it has a
// value, broken where it has none (a revisit where nothing is seen), with
// one legend entry however many pieces it takes.
void AddFigure(QChart& chart, const CoverageTable& table, const QString& name, const QColor& colour,
               Qt::PenStyle style, QValueAxis* x, QValueAxis* y,
               const std::function<std::optional<double>(const LatitudeCoverage&)>& value)
{
    QPen pen(colour);
    pen.setWidthF(2);
    pen.setStyle(style);
    QLineSeries* piece = nullptr;
    bool first = true;
    for (const LatitudeCoverage& row : table.rows) {
        const std::optional<double> v = value(row);
        if (!v) {
            piece = nullptr;
            continue;
        }
        if (!piece) {
            piece = new QLineSeries;
            piece->setName(name);
            piece->setPen(pen);
            chart.addSeries(piece);
            piece->attachAxis(x);
            piece->attachAxis(y);
            if (!first)
                for (QLegendMarker* marker : chart.legend()->markers(piece))
                    marker->setVisible(false);
            first = false;
        }
        piece->append(row.latitudeDeg, *v);
    }
    for (QAbstractSeries* series : chart.series())
        if (auto* line = qobject_cast<QLineSeries*>(series); line && line->count() == 1)
            line->setPointsVisible(true);  // a lone latitude still shows
}

// Lays the chart out at the picture's size and paints it.

}  // namespace

std::unique_ptr<QChart> MakeCoverageChart(const CoverageTable& table, const QString& title)
{
    auto chart = std::make_unique<QChart>();
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);

    double longest = 0;
    for (const LatitudeCoverage& row : table.rows)
        longest = std::max(longest, row.maxRevisitDays.value_or(0));
    QValueAxis* latitude = AddAxis(*chart, "Latitude (deg)", -90, 90, Qt::AlignBottom);
    latitude->setTickCount(7);
    latitude->setLabelFormat("%.0f");
    QValueAxis* days = AddAxis(*chart, "Wait between looks (days)", 0, longest > 0 ? longest * 1.05 : 1, Qt::AlignLeft);
    days->applyNiceNumbers();
    QValueAxis* percent = AddAxis(*chart, "Parallel covered (%)", 0, 100, Qt::AlignRight);
    percent->setLabelFormat("%.0f");
    percent->setGridLineVisible(false);

    AddFigure(*chart, table, "Longest wait (days)", QColor(0xc0, 0x39, 0x2b), Qt::SolidLine, latitude, days,
              [](const LatitudeCoverage& r) { return r.maxRevisitDays; });
    AddFigure(*chart, table, "Mean wait (days)", QColor(0x29, 0x80, 0xb9), Qt::SolidLine, latitude, days,
              [](const LatitudeCoverage& r) { return r.meanRevisitDays; });
    AddFigure(*chart, table, "Covered (%)", QColor(0x27, 0xae, 0x60), Qt::DashLine, latitude, percent,
              [](const LatitudeCoverage& r) { return std::optional<double>(r.coveredFraction * 100); });
    return chart;
}

QImage RenderCoverageChart(const CoverageTable& table, const QString& title)
{
    return RenderChart(*MakeCoverageChart(table, title));
}

void WriteCoverageChartPng(const CoverageTable& table, const QString& title, const QString& path)
{
    WriteChartPng(*MakeCoverageChart(table, title), path);
}

void WriteCoverageChartSvg(const CoverageTable& table, const QString& title, const QString& path)
{
    WriteChartSvg(*MakeCoverageChart(table, title), title, path);
}

}  // namespace chart
