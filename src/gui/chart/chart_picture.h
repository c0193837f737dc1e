#pragma once
// What every chart of the analyses shares once it is made: its size, and
// its drawing into an image, a PNG file or an SVG drawing, without a display.

#include <QImage>
#include <QString>

class QChart;

namespace chart {

// Every chart is drawn at this size, in pixels.
inline constexpr int kChartWidthPx = 1200;
inline constexpr int kChartHeightPx = 700;

QImage RenderChart(QChart& chart);
// Written as every file of the program is (platform/file_output.h); throw
// orbit::OrbitError (File) when the file cannot be written.
void WriteChartPng(QChart& chart, const QString& path);
void WriteChartSvg(QChart& chart, const QString& title, const QString& path);

}  // namespace chart
