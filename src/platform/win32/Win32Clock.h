#pragma once

#include "platform/Clock.h"

namespace tarvik {

class Win32Clock : public Clock {
public:
    LocalDateTime now() const override;
};

} // namespace tarvik
