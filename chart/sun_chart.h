#pragma once
// The chart of `repeat-orbit sun`: the Sun's angle to the orbit plane (beta,
// degrees, left axis) and the umbra of each revolution (minutes, right axis)
// against the date, under a title that names the design and its node. Qt
// Charts draws it; it needs a QApplication (the offscreen platform will do)
// but never a display.

#include "sun/sun_figures.h"

#include <QImage>
#include <QString>
#include <QtCharts/QChart>

#include <memory>

namespace chart {

inline constexpr int kSunChartWidthPx = 1200;
inline constexpr int kSunChartHeightPx = 700;

std::unique_ptr<QChart> MakeSunChart(const orbit::sun::SunFigures& figures, const QString& title);

QImage RenderSunChart(const orbit::sun::SunFigures& figures, const QString& title);

// An existing file is replaced only by a complete picture. Throws
// orbit::OrbitError (File) when it cannot be written.
void WriteSunChartPng(const orbit::sun::SunFigures& figures, const QString& title, const QString& path);
void WriteSunChartSvg(const orbit::sun::SunFigures& figures, const QString& title, const QString& path);

// Milliseconds since 1970-01-01T00:00Z (the date axis's count) of a
// modified Julian date of UTC.
double UnixMillisecondsOfMjd(double mjdUtc);

}  // namespace chart
