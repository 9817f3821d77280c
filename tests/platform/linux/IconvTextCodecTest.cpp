#include "platform/linux/IconvTextCodec.h"

#include "support/Cp936Samples.h"

#include <gtest/gtest.h>

namespace {

const tarvik::IconvTextCodec codec;

} // namespace

TEST(IconvTextCodec, ProgramTextsSurviveTheRoundTrip) {
    const auto title = codec.fromUtf8("塔维");
    ASSERT_TRUE(title);
    EXPECT_EQ(*title, "\xCB\xFE\xCE\xAC");

    for (const std::string text :
         {"塔维内存整理", "物理内存总量: 256M", "可用的物理内存: 95M", "可用的页面文件: 80%", "可用的虚拟内存: 98%",
          "系统可用内存低于最低限度10%，自动整理内存。", "C:\\Tools\\Alarm.wav,True,", ""}) {
        const auto bytes = codec.fromUtf8(text);
        ASSERT_TRUE(bytes) << text;
        EXPECT_EQ(codec.toUtf8(*bytes), text);
        EXPECT_EQ(codec.toUtf8Lossy(*bytes), text);
        EXPECT_EQ(codec.fromUtf8Lossy(text), *bytes);
    }
}

TEST(IconvTextCodec, BadInputIsRefusedOrReplacedAsAsked) {
    // A lead byte without its trail byte, and a byte that starts nothing in code page 936.
    EXPECT_EQ(codec.toUtf8("ab\xCB"), std::nullopt);
    EXPECT_EQ(codec.toUtf8("a\xFFz"), std::nullopt);
    EXPECT_EQ(codec.toUtf8("\x81\x20"), std::nullopt);
    EXPECT_EQ(codec.toUtf8Lossy("ab\xCB"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(codec.toUtf8Lossy("a\xFF\xCB\xFEz"), "a\xEF\xBF\xBD塔z");

    // An emoji has no code page 936 form; nor has broken UTF-8.
    EXPECT_EQ(codec.fromUtf8("塔😀"), std::nullopt);
    EXPECT_EQ(codec.fromUtf8("a\xC3"), std::nullopt);
    EXPECT_EQ(codec.fromUtf8Lossy("塔😀维"), "\xCB\xFE?\xCE\xAC");
    EXPECT_EQ(codec.fromUtf8Lossy("a\xC3"), "a?");
}

TEST(IconvTextCodec, BrokenUtf8CostsOnlyItsOwnBytes) {
    // A cut-off sequence ends at the next byte that does not continue it; that character is kept.
    EXPECT_EQ(codec.fromUtf8Lossy("ab\xCB a"), "ab? a");
    EXPECT_EQ(codec.fromUtf8Lossy("\xE5\xA1z\xF0\x9F\x98,True"), "?z?,True");
    EXPECT_EQ(codec.fromUtf8Lossy("\xE5\xA1维"), "?\xCE\xAC");
    // A whole character code page 936 lacks is still one '?'.
    EXPECT_EQ(codec.fromUtf8Lossy("\xF0\x9F\x98\x80z"), "?z");
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

TEST(IconvTextCodec, ReadsAndWritesAsWindows) {
    for (const auto& s : tarvik::test::cp936Samples()) {
        EXPECT_EQ(codec.toUtf8AsWindows(s.bytes), s.utf8) << s.utf8;
        EXPECT_EQ(codec.fromUtf8(s.utf8), s.writtenBack) << s.utf8;
    }
}
