#pragma once

#include "platform/Clock.h"

namespace tarvik {

class SystemClock : public Clock {
public:
    LocalDateTime now() const override;
};

} // namespace tarvik
