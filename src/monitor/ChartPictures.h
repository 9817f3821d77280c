#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace tarvik::ChartPictures {

// 69 × 35: black field with a green border and a dotted green grid of 4 columns × 2 rows, in a
// grey bevel. The background of the monitor's line chart, in the device pixels of a screen of this
// pixel ratio: each pixel line of the design is whole device pixels thick.
QImage lineChartBackground(double pixelRatio);
// 72 × 24: a light grey vertical gradient. The background of the monitor's peak chart.
QImage peakChartBackground(double pixelRatio);
// The program's icon: a memory module with a free-memory gauge, drawn at the usual sizes.
QIcon programIcon();
// One size of that icon, drawn without a display (the build renders the installed icons from it).
QImage programIconImage(int size);

} // namespace tarvik::ChartPictures
