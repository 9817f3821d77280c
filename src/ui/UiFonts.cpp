#include "ui/UiFonts.h"

#include <QApplication>

namespace tarvik::UiFonts {

QFont applicationFont() {
    QFont f = QApplication::font();
    QStringList families{QStringLiteral("Microsoft YaHei UI"), QStringLiteral("Microsoft YaHei"),
                         QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")};
    families += f.families();
    f.setFamilies(families);
    return f;
}

QFont chartStyleButtonFont() {
    QFont f = QApplication::font();
    QStringList families{QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun")};
    families += f.families();
    f.setFamilies(families);
    f.setPointSizeF(10.5);
    return f;
}

} // namespace tarvik::UiFonts
