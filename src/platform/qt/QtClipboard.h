#pragma once

#include "platform/Clipboard.h"

namespace tarvik {

class QtClipboard : public Clipboard {
public:
    bool clear() override;
};

} // namespace tarvik
