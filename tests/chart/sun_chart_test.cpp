// The Sun chart: its two figures against the date, point for point, and the
// date axis spanning the rows.

#include "chart/sun_chart.h"

#include "ephemeris/orbit_node.h"

#include <QDateTime>
#include <QtCharts/QDateTimeAxis>
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
    // Day 0 is 2027-01-01T00:00Z on the date axis.
    EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(beta->at(0).x()), QTimeZone::UTC),
              QDateTime(QDate(2027, 1, 1), QTime(0, 0), QTimeZone::UTC));
    const auto dates = chart->axes(Qt::Horizontal);
    ASSERT_EQ(dates.size(), 1);
    const auto* date = qobject_cast<QDateTimeAxis*>(dates.front());
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->min().date(), QDate(2027, 1, 1));
    EXPECT_EQ(date->max().date(), QDate(2028, 1, 1));
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
    const orbit::sun::SunFigures figures = Figures(0.5, 1);
    ASSERT_EQ(figures.days.size(), 1u);
    const std::unique_ptr<QChart> chart = chart::MakeSunChart(figures, "one row");
    EXPECT_TRUE(SeriesNamed(*chart, "Beta (deg)")->pointsVisible());
    const QImage image = chart::RenderSunChart(figures, "one row");
    EXPECT_EQ(image.size(), QSize(chart::kSunChartWidthPx, chart::kSunChartHeightPx));
}

TEST(SunChart, MillisecondsOfTheUnixEpoch)
{
    EXPECT_EQ(chart::UnixMillisecondsOfMjd(40587), 0);
    EXPECT_EQ(chart::UnixMillisecondsOfMjd(40588.5), 1.5 * 86400000);
}

}  // namespace
