#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QRect>
#include <QString>

// Controls of the main window's pages, placed at their geometry (see Twips.h for twipsRect).
namespace tarvik::PageControls {

inline QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

inline QCheckBox* makeCheckBox(QWidget* parent, const QRect& geometry, const QString& text) {
    auto* box = new QCheckBox(text, parent);
    box->setGeometry(geometry);
    return box;
}

} // namespace tarvik::PageControls
