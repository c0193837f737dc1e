#pragma once
// The revisit-by-latitude chart of `repeat-orbit coverage`: the longest and
// the mean wait between looks (days, left axis) and the share of each
// parallel seen (percent, right axis) against latitude, under a title that
// names the design. Qt Charts draws it; it needs a QApplication (the
// offscreen platform will do) but never a display.

#include "analysis/swath_coverage.h"

#include "chart/chart_picture.h"

#include <QImage>
#include <QString>
#include <QtCharts/QChart>

#include <memory>

namespace chart {

// The chart itself, for a caller that shows or renders it.
std::unique_ptr<QChart> MakeCoverageChart(const orbit::analysis::CoverageTable& table, const QString& title);

QImage RenderCoverageChart(const orbit::analysis::CoverageTable& table, const QString& title);

// An existing file is replaced only by a complete picture. Throws
// orbit::OrbitError (File) when it cannot be written.
void WriteCoverageChartPng(const orbit::analysis::CoverageTable& table, const QString& title, const QString& path);
void WriteCoverageChartSvg(const orbit::analysis::CoverageTable& table, const QString& title, const QString& path);

}  // namespace chart
