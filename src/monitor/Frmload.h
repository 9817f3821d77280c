#pragma once

#include <QWidget>

namespace tarvik {

// The monitor window: the program's start-up object.
class Frmload : public QWidget {
    Q_OBJECT
public:
    explicit Frmload(QWidget* parent = nullptr);
};

} // namespace tarvik
