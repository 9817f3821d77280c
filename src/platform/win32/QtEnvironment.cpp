#include "platform/QtEnvironment.h"

namespace tarvik {

void prepareQtEnvironment() {
    // Windows grants the monitor window its place and stay-on-top as it is.
}

} // namespace tarvik
