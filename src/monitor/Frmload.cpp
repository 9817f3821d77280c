#include "monitor/Frmload.h"

namespace tarvik {

Frmload::Frmload(QWidget* parent) : QWidget(parent) {}

} // namespace tarvik
