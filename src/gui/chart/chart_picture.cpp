#include "chart/chart_picture.h"

#include "platform/picture_output.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QtCharts/QChart>

namespace chart {

namespace {

const QSizeF kChartSize(kChartWidthPx, kChartHeightPx);

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

QImage RenderChart(QChart& chart)
{
    QImage image(kChartSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    Paint(chart, painter);
    painter.end();
    return image;
}

void WriteChartPng(QChart& chart, const QString& path) { platform::WritePng(RenderChart(chart), path); }

void WriteChartSvg(QChart& chart, const QString& title, const QString& path)
{
    platform::WriteSvg({kChartSize.toSize(), QRectF(QPointF(0, 0), kChartSize), title, QString()},
                       [&](QPainter& painter) { Paint(chart, painter); }, path);
}

}  // namespace chart
