#pragma once

#include "ui/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>

// Controls of the main window's pages, placed at their geometry.
namespace tarvik::PageControls {

// Where every page frame stands in the main window.
inline QRect pageGeometry() {
    return twipsRect(1680, 120, 5055, 4335);
}

// The "保存设置" button at the foot of the settings and user level pages.
inline QPushButton* makeSaveButton(QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("保存设置"), parent);
    button->setGeometry(twipsRect(3840, 3840, 975, 375));
    return button;
}

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
