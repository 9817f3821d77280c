#pragma once

#include "platform/FileAppender.h"
#include "support/TempFolder.h"

namespace tarvik::test {

// What every system's appender must do, checked on a fresh folder: append only to a file of the
// expected size and last bytes (leaving any other file, a missing one or a folder alone), and
// bring bytes across block boundaries whole. The platform's own refusals are checked beside it.
void checkAppendsOnlyToTheFileAsExpected(FileAppender& appender, const TempFolder& folder);

} // namespace tarvik::test
