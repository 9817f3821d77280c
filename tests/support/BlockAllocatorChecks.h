#pragma once

#include "platform/BlockAllocator.h"

namespace tarvik::test {

// What every system's allocator must do with sizes it cannot serve: give nullptr, and take back
// nothing without harm. How a block is committed and returned is checked beside each allocator.
void checkRefusedSizesGiveNullAndReleasingNothingIsHarmless(BlockAllocator& allocator);

} // namespace tarvik::test
