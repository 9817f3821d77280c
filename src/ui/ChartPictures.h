#pragma once

#include <QImage>

namespace tarvik::ChartPictures {

// 69 × 35: black field with a green border and a dotted green grid of 4 columns × 2 rows, in a
// grey bevel. The background of the monitor's line chart, in the device pixels of a screen of this
// pixel ratio: each pixel line of the design is whole device pixels thick.
QImage lineChartBackground(double pixelRatio);
// 72 × 24: a light grey vertical gradient. The background of the monitor's peak chart.
QImage peakChartBackground(double pixelRatio);

} // namespace tarvik::ChartPictures
