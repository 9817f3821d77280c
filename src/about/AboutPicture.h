#pragma once

#include <QPixmap>

namespace tarvik::AboutPicture {

// 360 × 240: the program's title over a deep blue field with a memory chart, leaving a dark
// band at the bottom for the version, author and contact lines.
QPixmap draw();

} // namespace tarvik::AboutPicture
