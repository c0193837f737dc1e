// The Sun chart: its two figures against the date, point for point, and the
// date axis spanning the rows.

#include "chart/sun_chart.h"

#include "ephemeris/orbit_node.h"

#include <QtCharts/QCategoryAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

namespace {

orbit::sun::SunFigures Figures(double days, double stepDays)
{
    orbit::DesignRecord design;
    const double axis =
        orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(14, 7, 12, orbit::OrbitType::SunSynchronous), {}, design)
            .SemiMajorAxis;
    const orbit::ephemeris::Instant epoch = orbit::ephemeris::ParseIsoUtc("2027-01-01T00:00Z");
    const orbit::ephemeris::OrbitNode node =
        orbit::ephemeris::ResolveNode(epoch, {orbit::ephemeris::NodeGiven::Ltan, 18}, design.Incl, design.NodeRate);
    return orbit::sun::SunFiguresOf(design, axis, epoch, node, {days, stepDays, 0});
}

QLineSeries* SeriesNamed(QChart& chart, const QString& name)
{
    for (QAbstractSeries* series : chart.series())
        if (series->name() == name)
            return qobject_cast<QLineSeries*>(series);
    return nullptr;
}

TEST(SunChart, BetaAndUmbraPointForPointByDate)
{
    const orbit::sun::SunFigures figures = Figures(365, 1);
    const std::unique_ptr<QChart> chart = chart::MakeSunChart(figures, "title");
    QLineSeries* beta = SeriesNamed(*chart, "Beta (deg)");
    QLineSeries* umbra = SeriesNamed(*chart, "Umbra (min)");
    ASSERT_NE(beta, nullptr);
    ASSERT_NE(umbra, nullptr);
    ASSERT_EQ(beta->count(), 366);
    ASSERT_EQ(umbra->count(), 366);
    for (int k : {0, 100, 172, 365}) {
        const orbit::sun::SunDay& day = figures.days[static_cast<std::size_t>(k)];
        EXPECT_EQ(beta->at(k).y(), day.betaDeg);
        EXPECT_EQ(umbra->at(k).y(), day.eclipse.umbraMin);
    }
    // The date axis counts days from the first row, labelled with UTC dates
    // at the first of every second month (a year's 13 months would crowd it).
    EXPECT_EQ(beta->at(0).x(), 0);
    EXPECT_EQ(beta->at(365).x(), 365);
    const auto dates = chart->axes(Qt::Horizontal);
    ASSERT_EQ(dates.size(), 1);
    auto* date = qobject_cast<QCategoryAxis*>(dates.front());
    ASSERT_NE(date, nullptr);
    const QStringList labels = date->categoriesLabels();
    ASSERT_EQ(labels.size(), 7);
    EXPECT_EQ(labels.front(), "2027-01-01");
    EXPECT_EQ(labels[3], "2027-07-01");
    EXPECT_EQ(date->endValue(labels[3]), 181);  // 31 + 28 + 31 + 30 + 31 + 30 days in
    EXPECT_EQ(labels.back(), "2028-01-01");
    // The umbra axis holds the longest umbra.
    for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) {
        const auto* values = qobject_cast<QValueAxis*>(axis);
        ASSERT_NE(values, nullptr);
        if (axis->alignment() == Qt::AlignRight) {
            EXPECT_GE(values->max(), figures.summary.umbraMaxMin);
        } else {
            EXPECT_LE(values->min(), figures.summary.betaMinDeg);
            EXPECT_GE(values->max(), figures.summary.betaMaxDeg);
        }
    }
}

TEST(SunChart, OneRowStillDrawsItsPoints)
{
    const orbit::sun::SunFigures figures = Figures(0, 1);
    ASSERT_EQ(figures.days.size(), 1u);
    const std::unique_ptr<QChart> chart = chart::MakeSunChart(figures, "one row");
    EXPECT_TRUE(SeriesNamed(*chart, "Beta (deg)")->pointsVisible());
    const QImage image = chart::RenderSunChart(figures, "one row");
    EXPECT_EQ(image.size(), QSize(chart::kChartWidthPx, chart::kChartHeightPx));
}

// MJD 51544 is 2000-01-01; 1858-11-17 is MJD 0.
TEST(SunChart, DateLabelsAreUtcDates)
{
    EXPECT_EQ(chart::DateLabelOfMjd(51544, false), "2000-01-01");
    EXPECT_EQ(chart::DateLabelOfMjd(0, false), "1858-11-17");
    EXPECT_EQ(chart::DateLabelOfMjd(61485.25, true), "03-21 06:00");
    EXPECT_EQ(chart::DateLabelOfMjd(61485.9999999, true), "03-22 00:00");
}

TEST(SunChart, ShortSpansAreLabelledByDayAndHour)
{
    const std::unique_ptr<QChart> days = chart::MakeSunChart(Figures(10, 0.5), "ten days");
    const QStringList dayLabels = qobject_cast<QCategoryAxis*>(days->axes(Qt::Horizontal).front())->categoriesLabels();
    EXPECT_EQ(dayLabels.front(), "2027-01-01");
    EXPECT_EQ(dayLabels.back(), "2027-01-11");
    const std::unique_ptr<QChart> hours = chart::MakeSunChart(Figures(1, 0.25), "one day");
    const QStringList hourLabels =
        qobject_cast<QCategoryAxis*>(hours->axes(Qt::Horizontal).front())->categoriesLabels();
    EXPECT_EQ(hourLabels.front(), "01-01 00:00");
    EXPECT_EQ(hourLabels[1], "01-01 04:00");
}

}  // namespace
