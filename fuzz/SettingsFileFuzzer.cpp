// A whole settings file as it lies on disk: first-line extraction, code page 936 decoding and every
// line parser, then the writers' bytes read back the same way.
#include "FuzzCheck.h"
#include "platform/linux/IconvTextCodec.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsFormat.h"

#include <algorithm>
#include <string>

using namespace tarvik;

namespace {

const IconvTextCodec codec;

// Writes `line` as the writers do (code page 936, CR LF) and reads it back as the readers do.
template <class Parse> auto writtenAndRead(const std::string& line, Parse parse) {
    const auto bytes = codec.fromUtf8(line);
    // Text that was decoded from the file must always encode again.
    FUZZ_CHECK(bytes.has_value());
    const auto read = SettingsFiles::decodeFirstLine(*bytes + "\r\n", codec);
    FUZZ_CHECK(read && *read == line);
    return parse(*read);
}

void checkParsers(const std::string& line) {
    if (const auto r = SettingsFormat::parseSettings(line)) {
        const auto composed = SettingsFormat::composeSettings(*r);
        FUZZ_CHECK(composed.has_value());
        FUZZ_CHECK(writtenAndRead(*composed, SettingsFormat::parseSettings) == r);
    }
    if (const auto r = SettingsFormat::parseAccess(line)) {
        FUZZ_CHECK(writtenAndRead(SettingsFormat::composeAccess(*r), SettingsFormat::parseAccess) == r);
    }
    if (const auto r = SettingsFormat::parsePlacement(line)) {
        FUZZ_CHECK(writtenAndRead(SettingsFormat::composePlacement(*r, ", "), SettingsFormat::parsePlacement) == r);
    }
    if (const auto r = SettingsFormat::parseBatchStart(line)) {
        const auto composed = SettingsFormat::composeBatchStart(*r);
        FUZZ_CHECK(composed.has_value());
        FUZZ_CHECK(writtenAndRead(*composed, SettingsFormat::parseBatchStart) == r);
    }
}

// The length limit is checked with a small limit taken from the input (a NUL byte, then the limit),
// so that it is fuzzed at full speed without 64 KiB inputs; the real limit applies to the rest.
void checkFirstLine(std::string_view file, std::size_t limit) {
    const auto line = SettingsFiles::firstLine(file, limit);
    // Reading only the head of the file must see exactly what a whole read sees.
    FUZZ_CHECK(SettingsFiles::firstLine(file.substr(0, limit + 2), limit) == line);
    const std::size_t end = std::min(file.find_first_of("\r\n"), file.size());
    if (!line) {
        FUZZ_CHECK(file.empty() || end > limit);
        return;
    }
    FUZZ_CHECK(line->data() == file.data() && line->size() == end && end <= limit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file = fuzz::asText(data, size);
    if (size >= 2 && data[0] == 0) {
        checkFirstLine(file.substr(2), data[1]);
        return 0;
    }
    checkFirstLine(file, SettingsFiles::kMaxLineBytes);

    const auto decoded = SettingsFiles::decodeFirstLine(file, codec);
    const auto line = SettingsFiles::firstLine(file);
    FUZZ_CHECK(decoded.has_value() == line.has_value());
    if (!decoded) {
        return 0;
    }
    FUZZ_CHECK(fuzz::isValidUtf8(*decoded));
    FUZZ_CHECK(!fuzz::hasLineBreak(*decoded));
    checkParsers(*decoded);
    return 0;
}
