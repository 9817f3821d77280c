#include "platform/linux/IconvTextCodec.h"

#include "support/TextCodecChecks.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const tarvik::IconvTextCodec codec;

} // namespace

TEST(IconvTextCodec, WrittenTextsGiveTheirBytesAndComeBack) {
    tarvik::test::checkWrittenTextsGiveTheirBytesAndComeBack(codec);
}

TEST(IconvTextCodec, BadBytesAreRefusedOrReplaced) {
    tarvik::test::checkBadBytesAreRefusedOrReplaced(codec);
}

TEST(IconvTextCodec, UnrepresentableTextIsRefusedOrReplaced) {
    tarvik::test::checkUnrepresentableTextIsRefusedOrReplaced(codec);
}

TEST(IconvTextCodec, ReadsAndWritesAsWindows) {
    tarvik::test::checkReadsAndWritesAsWindows(codec);
}

TEST(IconvTextCodec, CodesGbkLeavesOpenAreTheCharactersWindowsGivesThem) {
    const std::string replacement = "\xEF\xBF\xBD";
    // A2 E3 is unassigned in GBK; its trail byte must not pair with the next byte either.
    EXPECT_EQ(codec.toUtf8("\xA2\xE3\xC4\xDA"), "\uE76C内");
    EXPECT_EQ(codec.toUtf8Lossy(std::string("\xA2\xE3") + "ab"), "\uE76Cab");
    EXPECT_EQ(codec.fromUtf8("\uE76Cab"), "\xA2\xE3"
                                          "ab");
    // A lead byte before a byte that cannot trail it costs only itself.
    EXPECT_EQ(codec.toUtf8Lossy("\x81\x30\r\n"), replacement + "0\r\n");
}
