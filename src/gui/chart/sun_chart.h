#pragma once
// The chart of `repeat-orbit sun`: the Sun's angle to the orbit plane (beta,
// degrees, left axis) and the umbra of each revolution (minutes, right axis)
// against the date, under a title that names the design and its node. Qt
// Charts draws it; it needs a QApplication (the offscreen platform will do)
// but never a display.

#include "sun/sun_figures.h"

#include "chart/chart_picture.h"

#include <QImage>
#include <QString>
#include <QtCharts/QChart>

#include <memory>

namespace chart {

std::unique_ptr<QChart> MakeSunChart(const orbit::sun::SunFigures& figures, const QString& title);

QImage RenderSunChart(const orbit::sun::SunFigures& figures, const QString& title);

// An existing file is replaced only by a complete picture. Throws
// orbit::OrbitError (File) when it cannot be written.
void WriteSunChartPng(const orbit::sun::SunFigures& figures, const QString& title, const QString& path);
void WriteSunChartSvg(const orbit::sun::SunFigures& figures, const QString& title, const QString& path);

// "2027-03-21", or "03-21 06:00" with the time (to the minute), of a
// modified Julian date of UTC.
QString DateLabelOfMjd(double mjdUtc, bool withTime);

}  // namespace chart
