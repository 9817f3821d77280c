#include "settings/LogLines.h"

#include "settings/EventLog.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvik {
namespace {

// The lines joined as the log page's text has them: each followed by CR LF.
std::string joined(const LogLines& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines.line(i);
        text += "\r\n";
    }
    return text;
}

TEST(LogLines, SameLinesAsTheLogReadersAndNoOtherCopyOfTheBytes) {
    const std::string cases[] = {
        "",
        "\r\n",
        "a",
        "a\nb\n",
        "a\rb\r",
        "a\r\n\r\nb",
        "a\n\rb",
        "a\r\r\nb\n\n",
        std::string("x\0y\r\n", 5),
        std::string(100000, 'z') + "\r" + std::string(3, 'q'), // long lines, lone CRs, no LF at all
    };
    for (const std::string& bytes : cases) {
        const LogLines lines{std::string(bytes)};
        EXPECT_EQ(joined(lines), EventLog::withCrLfLines(bytes)) << testing::PrintToString(bytes);
        EXPECT_EQ(lines.byteCount(), bytes.size());
    }
    const LogLines lines{"first\r\nsecond\nthird"};
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines.line(0), "first");
    EXPECT_EQ(lines.line(2), "third");
    EXPECT_EQ(LogLines().size(), 0u);
}

} // namespace
} // namespace tarvik
