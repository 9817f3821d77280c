#pragma once

#include <QLabel>

namespace tarvik {

// A label whose text is made bold the way the classic desktop makes a bitmap face bold: drawn a
// second time one pixel to the right. No bold face has to be loaded for it.
class BoldTextLabel : public QLabel {
    Q_OBJECT
public:
    explicit BoldTextLabel(const QString& text, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tarvik
