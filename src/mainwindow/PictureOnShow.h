#pragma once

#include <functional>
#include <QPixmap>

class QLabel;

namespace tarvik {

// Gives a label its picture when it is first shown. The main window is built at start-up and
// mostly stays hidden; its pictures cost neither drawing time nor memory until it is seen.
void setPictureOnShow(QLabel* label, std::function<QPixmap()> draw);

} // namespace tarvik
