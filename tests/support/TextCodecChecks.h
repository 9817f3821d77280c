#pragma once

#include "platform/TextCodec.h"

namespace tarvik::test {

// What every system's code page 936 converter must do, so that the files read and write alike on
// both systems. Each converter's own ways are checked beside it.

// Every text the program writes to its files gives the bytes iconv's CP936 gives it, also when
// loss is allowed, and those bytes read back as the text.
void checkWrittenTextsGiveTheirBytesAndComeBack(const TextCodec& codec);
// Bytes that are not code page 936 are refused, or cost one U+FFFD each where loss is allowed.
void checkBadBytesAreRefusedOrReplaced(const TextCodec& codec);
// Text without a code page 936 form, or broken UTF-8, is refused, or where loss is allowed costs
// one '?' per character, never the next character.
void checkUnrepresentableTextIsRefusedOrReplaced(const TextCodec& codec);
// The settings' bytes are read as Windows reads them and written back as Windows writes them.
void checkReadsAndWritesAsWindows(const TextCodec& codec);

} // namespace tarvik::test
