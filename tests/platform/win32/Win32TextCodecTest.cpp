#include "platform/win32/Win32TextCodec.h"

#include "support/TextCodecChecks.h"

#include <gtest/gtest.h>

namespace {

const tarvik::Win32TextCodec codec;

} // namespace

TEST(Win32TextCodec, WrittenTextsGiveTheirBytesAndComeBack) {
    tarvik::test::checkWrittenTextsGiveTheirBytesAndComeBack(codec);
}

TEST(Win32TextCodec, BadBytesAreRefusedOrReplaced) {
    tarvik::test::checkBadBytesAreRefusedOrReplaced(codec);
}

TEST(Win32TextCodec, UnrepresentableTextIsRefusedOrReplaced) {
    tarvik::test::checkUnrepresentableTextIsRefusedOrReplaced(codec);
}

TEST(Win32TextCodec, ReadsAndWritesAsWindows) {
    tarvik::test::checkReadsAndWritesAsWindows(codec);
}
