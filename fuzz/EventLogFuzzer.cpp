// The log file's bytes as LoadLogText, AppendLogLine and the log page take them.
#include "FuzzCheck.h"
#include "platform/FileAppender.h"
#include "platform/linux/IconvTextCodec.h"
#include "settings/EventLog.h"
#include "settings/LogLines.h"

#include <string>
#include <vector>

using namespace tarvik;

namespace {

const IconvTextCodec codec;

std::string withoutLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c != '\r' && c != '\n') {
            out += c;
        }
    }
    return out;
}

// Every CR is followed by LF, every LF follows a CR, and the text ends with CR LF unless empty.
bool hasOnlyCrLfLines(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) {
            return false;
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            return false;
        }
    }
    return text.empty() || text.ends_with("\r\n");
}

// The lines of a text in which every line ends with CR LF, without their line ends.
std::vector<std::string_view> crLfLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = text.find("\r\n", pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);

    const std::string text = EventLog::withCrLfLines(bytes);
    FUZZ_CHECK(hasOnlyCrLfLines(text));
    // No byte of the log is lost or altered, only line ends are normalised, and a second load of a
    // rewritten log changes nothing.
    FUZZ_CHECK(withoutLineEnds(text) == withoutLineEnds(bytes));
    FUZZ_CHECK(EventLog::withCrLfLines(text) == text);
    FUZZ_CHECK(text.empty() == bytes.empty());

    FUZZ_CHECK(EventLog::hasCrLfLinesOnly(bytes) == (text == bytes));
    FUZZ_CHECK(EventLog::hasCrLfLinesOnly(text));

    // An append rewrites the file as the old text plus one line; reading that back gives the same.
    const std::string appended = text + "2006-12-6 22:24:44 x\r\n";
    FUZZ_CHECK(EventLog::withCrLfLines(appended) == appended);

    // The remains of an append cut short are only ever taken off the end, and always where an
    // append to this text would leave them.
    const std::string_view whole = EventLog::withoutInterruptedAppend(bytes);
    FUZZ_CHECK(bytes.starts_with(whole));
    FUZZ_CHECK(whole.size() == bytes.size() || bytes.substr(whole.size()).find('\0') != std::string_view::npos);
    const std::size_t block = FileAppender::kBlock;
    if (!text.empty() && text.size() % block != 0) {
        const std::string cut = text + std::string(block - text.size() % block, '\0') + "x\r\n";
        FUZZ_CHECK(EventLog::withoutInterruptedAppend(cut) == text);
    }

    // The log page's lines are the readers' lines.
    const LogLines pageLines{std::string(bytes)};
    std::string joined;
    for (std::size_t i = 0; i < pageLines.size(); ++i) {
        joined += pageLines.line(i);
        joined += "\r\n";
    }
    FUZZ_CHECK(joined == text);

    // The log page's text is valid UTF-8 whatever the file holds, has the same lines, and decoding it
    // whole gives the same as decoding it line by line. One converter per line is costly, so the
    // contents are compared for the first lines and the last one.
    const std::string view = EventLog::textForView(bytes, codec);
    FUZZ_CHECK(fuzz::isValidUtf8(view));
    FUZZ_CHECK(hasOnlyCrLfLines(view));
    const std::vector<std::string_view> lines = crLfLines(text);
    const std::vector<std::string_view> viewLines = crLfLines(view);
    FUZZ_CHECK(viewLines.size() == lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i < 32 || i + 1 == lines.size()) {
            FUZZ_CHECK(viewLines[i] == codec.toUtf8Lossy(lines[i]));
        }
    }
    return 0;
}
