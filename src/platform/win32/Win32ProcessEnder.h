#pragma once

#include "platform/ProcessEnder.h"

namespace tarvik {

class Win32ProcessEnder : public ProcessEnder {
public:
    [[noreturn]] void endNow(int exitCode) override;
};

} // namespace tarvik
