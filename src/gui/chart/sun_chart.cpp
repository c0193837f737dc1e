#include "chart/sun_chart.h"

#include "chart/chart_picture.h"

#include <QDate>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

using orbit::sun::SunDay;
using orbit::sun::SunFigures;

// A Julian day number counts from noon; the modified Julian date from the
// midnight 2400000.5 days later.
constexpr double kJulianDayOfMjdZero = 2400001;
// Spans at least this long are labelled at the first of the month, shorter
// ones by the day, and spans under kLabelHoursBelowDays by the hour.
constexpr double kLabelMonthsFromDays = 60;
constexpr double kLabelHoursBelowDays = 3;
constexpr int kMostLabels = 12;

// Labels of UTC dates at their places on the axis (days from `firstMjd`).
void AddDateLabels(QCategoryAxis& axis, double firstMjd, double spanDays)
{
    auto add = [&](double mjd, bool withTime) {
        axis.append(DateLabelOfMjd(mjd, withTime), mjd - firstMjd);
    };
    if (spanDays >= kLabelMonthsFromDays) {
        const QDate first = QDate::fromJulianDay(static_cast<qint64>(std::floor(firstMjd) + kJulianDayOfMjdZero));
        QDate month(first.year(), first.month(), 1);
        if (month < first || firstMjd != std::floor(firstMjd))
            month = month.addMonths(1);
        const int months = static_cast<int>(spanDays / 30.4) + 1;
        const int every = std::max(1, (months + kMostLabels - 1) / kMostLabels);
        for (; static_cast<double>(month.toJulianDay()) - kJulianDayOfMjdZero <= firstMjd + spanDays;
             month = month.addMonths(every))
            add(static_cast<double>(month.toJulianDay()) - kJulianDayOfMjdZero, false);
    } else if (spanDays >= kLabelHoursBelowDays) {
        const double every = std::ceil(spanDays / kMostLabels);
        for (double mjd = std::ceil(firstMjd); mjd <= firstMjd + spanDays; mjd += every)
            add(mjd, false);
    } else {
        for (int k = 0; k <= 6; ++k)
            add(firstMjd + spanDays * k / 6, true);
    }
}

QLineSeries* AddLine(QChart& chart, const QString& name, const QColor& colour, QAbstractAxis* x, QAbstractAxis* y)
{
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(colour);
    pen.setWidthF(2);
    series->setPen(pen);
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}


}  // namespace

QString DateLabelOfMjd(double mjdUtc, bool withTime)
{
    const double day = std::floor(mjdUtc);
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(day + kJulianDayOfMjdZero));
    if (!withTime)
        return date.toString("yyyy-MM-dd");
    const int minutes = static_cast<int>(std::lround((mjdUtc - day) * 1440));
    if (minutes == 1440)
        return DateLabelOfMjd(day + 1, true);
    return date.toString("MM-dd ") + QString("%1:%2").arg(minutes / 60, 2, 10, QChar('0')).arg(minutes % 60, 2, 10, QChar('0'));
}

std::unique_ptr<QChart> MakeSunChart(const SunFigures& figures, const QString& title)
{
    auto chart = std::make_unique<QChart>();
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);

    // The axis counts days from the first row and is labelled with UTC
    // dates, whatever the time zone of the machine that draws it.
    const double first = figures.days.front().mjdUtc;
    const double span = std::max(figures.days.back().mjdUtc - first, 1.0 / 24);  // one row still has a width
    auto* date = new QCategoryAxis;
    date->setTitleText("Date (UTC)");
    date->setRange(0, span);
    date->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    AddDateLabels(*date, first, span);
    chart->addAxis(date, Qt::AlignBottom);

    double betaLow = 0, betaHigh = 0, umbraHigh = 0;
    for (const SunDay& day : figures.days) {
        betaLow = std::min(betaLow, day.betaDeg);
        betaHigh = std::max(betaHigh, day.betaDeg);
        umbraHigh = std::max(umbraHigh, day.eclipse.umbraMin);
    }
    auto* beta = new QValueAxis;
    beta->setTitleText("Beta, the Sun above the orbit plane (deg)");
    beta->setRange(std::floor(betaLow / 10) * 10, std::max(10.0, std::ceil(betaHigh / 10) * 10));
    beta->applyNiceNumbers();
    beta->setLabelFormat("%.0f");
    chart->addAxis(beta, Qt::AlignLeft);
    auto* umbra = new QValueAxis;
    umbra->setTitleText("Umbra a revolution (min)");
    umbra->setRange(0, umbraHigh > 0 ? umbraHigh * 1.1 : 1);
    umbra->applyNiceNumbers();
    umbra->setGridLineVisible(false);
    chart->addAxis(umbra, Qt::AlignRight);

    QLineSeries* betaLine = AddLine(*chart, "Beta (deg)", QColor(0xe6, 0x7e, 0x22), date, beta);
    QLineSeries* umbraLine = AddLine(*chart, "Umbra (min)", QColor(0x2c, 0x3e, 0x50), date, umbra);
    QList<QPointF> betaPoints, umbraPoints;
    betaPoints.reserve(static_cast<qsizetype>(figures.days.size()));
    umbraPoints.reserve(static_cast<qsizetype>(figures.days.size()));
    for (const SunDay& day : figures.days) {
        const double x = day.mjdUtc - first;
        betaPoints.append(QPointF(x, day.betaDeg));
        umbraPoints.append(QPointF(x, day.eclipse.umbraMin));
    }
    betaLine->replace(betaPoints);
    umbraLine->replace(umbraPoints);
    if (figures.days.size() == 1) {
        betaLine->setPointsVisible(true);
        umbraLine->setPointsVisible(true);
    }
    return chart;
}

QImage RenderSunChart(const SunFigures& figures, const QString& title)
{
    return RenderChart(*MakeSunChart(figures, title));
}

void WriteSunChartPng(const SunFigures& figures, const QString& title, const QString& path)
{
    WriteChartPng(*MakeSunChart(figures, title), path);
}

void WriteSunChartSvg(const SunFigures& figures, const QString& title, const QString& path)
{
    WriteChartSvg(*MakeSunChart(figures, title), title, path);
}

}  // namespace chart
