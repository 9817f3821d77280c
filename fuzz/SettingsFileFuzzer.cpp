// A whole settings file as it lies on disk: first-line extraction, code page 936 decoding and every
// line parser, then the writers' bytes read back the same way.
#include "FuzzCheck.h"
#include "platform/linux/IconvTextCodec.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsFormat.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string file(fuzz::asText(data, size));
    // An input starting with a NUL byte stands for a file whose first line is padded with zeros to
    // within a few bytes of the length limit (the next byte says how close), so the limit itself is
    // fuzzed without 64 KiB inputs. Zeros keep a numeric first field valid.
    if (size >= 2 && data[0] == 0) {
        const std::size_t padding = SettingsFiles::kMaxLineBytes - 128 + data[1];
        file = std::string(padding, '0') + file.substr(2);
    }

    const auto line = SettingsFiles::firstLine(file);
    // Reading only the head of the file must see exactly what a whole read sees.
    const std::string_view head = std::string_view(file).substr(0, SettingsFiles::kMaxLineBytes + 2);
    FUZZ_CHECK(SettingsFiles::firstLine(head) == line);
    if (!line) {
        const std::size_t end = file.find_first_of("\r\n");
        FUZZ_CHECK(file.empty() || (end == std::string::npos ? file.size() : end) > SettingsFiles::kMaxLineBytes);
        return 0;
    }
    FUZZ_CHECK(line->size() <= SettingsFiles::kMaxLineBytes);
    FUZZ_CHECK(!fuzz::hasLineBreak(*line));
    FUZZ_CHECK(line->data() == file.data());
    FUZZ_CHECK(line->size() == file.size() || file[line->size()] == '\r' || file[line->size()] == '\n');

    const auto decoded = SettingsFiles::decodeFirstLine(file, codec);
    FUZZ_CHECK(decoded.has_value() == codec.toUtf8(*line).has_value());
    if (!decoded) {
        return 0;
    }
    FUZZ_CHECK(fuzz::isValidUtf8(*decoded));
    FUZZ_CHECK(!fuzz::hasLineBreak(*decoded));
    checkParsers(*decoded);
    return 0;
}
