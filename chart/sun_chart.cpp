#include "chart/sun_chart.h"

#include "platform/picture_output.h"

#include <QDateTime>
#include <QGraphicsScene>
#include <QPainter>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

using orbit::sun::SunDay;
using orbit::sun::SunFigures;

const QSizeF kChartSize(kSunChartWidthPx, kSunChartHeightPx);
constexpr double kUnixEpochMjd = 40587.0;  // 1970-01-01T00:00Z
constexpr double kMillisecondsPerDay = 86400000.0;

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

void Paint(QChart& chart, QPainter& painter)
{
    QGraphicsScene scene;
    scene.addItem(&chart);
    chart.setGeometry(QRectF(QPointF(0, 0), kChartSize));
    scene.setSceneRect(QRectF(QPointF(0, 0), kChartSize));
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), kChartSize), QRectF(QPointF(0, 0), kChartSize));
    scene.removeItem(&chart);  // the chart belongs to its caller, not to the scene
}

}  // namespace

double UnixMillisecondsOfMjd(double mjdUtc) { return (mjdUtc - kUnixEpochMjd) * kMillisecondsPerDay; }

std::unique_ptr<QChart> MakeSunChart(const SunFigures& figures, const QString& title)
{
    auto chart = std::make_unique<QChart>();
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);

    const double first = figures.days.front().mjdUtc;
    const double last = std::max(figures.days.back().mjdUtc, first + 1.0 / 24);  // one row still has a width
    auto* date = new QDateTimeAxis;
    date->setTitleText("Date (UTC)");
    date->setTimeZone(QTimeZone::UTC);
    date->setFormat(last - first > 3 ? "yyyy-MM-dd" : "MM-dd hh:mm");
    date->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(UnixMillisecondsOfMjd(first)), QTimeZone::UTC),
                   QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(UnixMillisecondsOfMjd(last)), QTimeZone::UTC));
    date->setTickCount(7);
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
        const double x = UnixMillisecondsOfMjd(day.mjdUtc);
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
    const std::unique_ptr<QChart> chart = MakeSunChart(figures, title);
    QImage image(kChartSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    Paint(*chart, painter);
    painter.end();
    return image;
}

void WriteSunChartPng(const SunFigures& figures, const QString& title, const QString& path)
{
    platform::WritePng(RenderSunChart(figures, title), path);
}

void WriteSunChartSvg(const SunFigures& figures, const QString& title, const QString& path)
{
    const std::unique_ptr<QChart> chart = MakeSunChart(figures, title);
    platform::WriteSvg({kChartSize.toSize(), QRectF(QPointF(0, 0), kChartSize), title, QString()},
                       [&](QPainter& painter) { Paint(*chart, painter); }, path);
}

}  // namespace chart
