#pragma once

#include "platform/TextCodec.h"
#include "support/TempFolder.h"

#include <string>

namespace tarvik::test {

// The log of a test's program folder decoded to UTF-8, or "<missing>".
std::string readLog(const TempFolder& folder, const TextCodec& codec);

// The text after the timestamp of the last entry (FakeClock's time) of a decoded log.
std::string lastLogMessage(const std::string& log);

} // namespace tarvik::test
