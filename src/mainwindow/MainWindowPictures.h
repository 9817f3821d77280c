#pragma once

#include <QPixmap>

namespace tarvik::MainWindowPictures {

// 133 × 450: the background of the page strip, light blue fading to white, with a soft tile
// behind each of the six page buttons.
QPixmap stripBackground();

// 32 × 32 page button icons: 0 memory module, 1 sliders, 2 gear, 3 user with a badge,
// 4 document, 5 close.
QPixmap pageIcon(int index);

// 32 × 32 buttons of the log page: 0 refresh, 1 save, 2 clear.
QPixmap logIcon(int index);

} // namespace tarvik::MainWindowPictures
