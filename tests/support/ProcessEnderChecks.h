#pragma once

#include "platform/ProcessEnder.h"

namespace tarvik::test {

// What every system's ender must do: the process ends with the code at once, running no exit
// handler and nothing after the call.
void checkEndsAtOnceWithTheCodeAndRunsNoExitHandlers(ProcessEnder& ender);

} // namespace tarvik::test
