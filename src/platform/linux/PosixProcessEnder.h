#pragma once

#include "platform/ProcessEnder.h"

namespace tarvik {

class PosixProcessEnder : public ProcessEnder {
public:
    void endNow(int exitCode) override;
};

} // namespace tarvik
