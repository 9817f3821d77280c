#pragma once

#include <QIcon>
#include <QImage>

namespace tarvik::ProgramIcon {

// The program's icon: a memory module with a free-memory gauge, drawn at the usual sizes.
QIcon icon();
// One size of that icon, drawn without a display (the build renders the installed icons from it).
QImage image(int size);

} // namespace tarvik::ProgramIcon
