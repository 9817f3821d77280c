#pragma once

#include <QMenu>

namespace tarvik {

// The monitor window's popup menus: a light panel with a grey icon bar on the left, a dark
// shadow edge, and blue highlighted items.
class CurtMenu : public QMenu {
    Q_OBJECT
public:
    explicit CurtMenu(const QString& title = QString(), QWidget* parent = nullptr);

    static constexpr int kIconBarWidth = 24;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tarvik
