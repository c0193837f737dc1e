// The coverage chart: its axes and figures, and pictures that hold them.

#include "chart/coverage_chart.h"

#include "tests/gui/platform/qt_printers.h"

#include <QFile>
#include <QGraphicsScene>
#include <QTemporaryDir>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <map>

namespace {

using orbit::analysis::CoverageTable;
using orbit::analysis::LatitudeCoverage;

CoverageTable Table(double n, double m, double q, double swathKm)
{
    orbit::DesignRecord design;
    orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(n, m, q, orbit::OrbitType::SunSynchronous), {}, design);
    return orbit::analysis::CoverageByLatitude(design, {swathKm, 1, orbit::analysis::PassDirection::Both, 1});
}

// Points drawn and legend entries shown, by the figure's name.
struct Figures {
    std::map<QString, int> points, legendEntries;
};

Figures FiguresOf(QChart& chart)
{
    // The legend lays out its entries once the chart is in a scene.
    QGraphicsScene scene;
    scene.addItem(&chart);
    chart.setGeometry(0, 0, chart::kChartWidthPx, chart::kChartHeightPx);
    Figures figures;
    for (QAbstractSeries* series : chart.series()) {
        figures.points[series->name()] += static_cast<QLineSeries*>(series)->count();
        for (QLegendMarker* marker : chart.legend()->markers(series))
            figures.legendEntries[series->name()] += marker->isVisible() ? 1 : 0;
    }
    scene.removeItem(&chart);
    return figures;
}

TEST(CoverageChart, AxesWithUnitsAndOneFigurePerColumn)
{
    const CoverageTable table = Table(14, 3, 10, 290);
    const auto chart = chart::MakeCoverageChart(table, "N 14, M 3, Q 10");
    EXPECT_EQ(chart->title(), "N 14, M 3, Q 10");
    QStringList titles;
    for (QAbstractAxis* axis : chart->axes())
        titles << axis->titleText();
    EXPECT_EQ(titles, QStringList({"Latitude (deg)", "Wait between looks (days)", "Parallel covered (%)"}));

    int seen = 0;
    for (const LatitudeCoverage& row : table.rows)
        seen += row.maxRevisitDays ? 1 : 0;
    const Figures figures = FiguresOf(*chart);
    EXPECT_EQ(figures.points, (std::map<QString, int>{{"Covered (%)", 181}, {"Longest wait (days)", seen}, {"Mean wait (days)", seen}}));
    for (const auto& [name, entries] : figures.legendEntries)
        EXPECT_EQ(entries, 1) << name.toStdString();
}

// Where nothing is seen the waits break off, and the legend still names
// each figure once.
TEST(CoverageChart, WaitsBreakWhereNothingIsSeen)
{
    CoverageTable table;
    for (const double lat : {-2.0, -1.0, 0.0, 1.0, 2.0}) {
        LatitudeCoverage row;
        row.latitudeDeg = lat;
        row.coveredFraction = lat == 0 ? 0 : 0.5;
        if (lat != 0)
            row.maxRevisitDays = row.meanRevisitDays = 3;
        table.rows.push_back(row);
    }
    const auto chart = chart::MakeCoverageChart(table, "gap");
    EXPECT_EQ(chart->series().size(), 5);  // two pieces for each wait, one for the coverage
    const Figures figures = FiguresOf(*chart);
    EXPECT_EQ(figures.points.at("Longest wait (days)"), 4);
    EXPECT_EQ(figures.legendEntries, (std::map<QString, int>{{"Covered (%)", 1}, {"Longest wait (days)", 1}, {"Mean wait (days)", 1}}));
}

TEST(CoverageChart, PngAndSvgFilesHoldTheChart)
{
    const CoverageTable table = Table(14, 9, 16, 185);
    const QImage image = chart::RenderCoverageChart(table, "flown");
    ASSERT_EQ(image.size(), QSize(chart::kChartWidthPx, chart::kChartHeightPx));
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            coloured += (c.red() > 150 && c.green() < 100 && c.blue() < 100) ? 1 : 0;  // the longest wait's red
        }
    EXPECT_GT(coloured, 100);

    QTemporaryDir dir;
    const QString png = dir.filePath("c.png"), svg = dir.filePath("c.svg");
    chart::WriteCoverageChartPng(table, "flown", png);
    chart::WriteCoverageChartSvg(table, "flown", svg);
    EXPECT_EQ(QImage(png).size(), image.size());
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("Latitude (deg)"));
    EXPECT_TRUE(text.contains("<path") || text.contains("<polyline"));  // vector lines, not a picture
    EXPECT_FALSE(text.contains("<image"));
}

}  // namespace
