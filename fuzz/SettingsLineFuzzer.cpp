// The line of set.dxl and info.dxl, and the field conversions every reader uses.
#include "FuzzCheck.h"
#include "settings/SettingsConversions.h"
#include "settings/SettingsFormat.h"

#include <cmath>

using namespace tarvik;
using tarvik::fuzz::asText;

namespace {

// The conversions must agree wherever their ranges overlap: a field that one reader takes as a
// byte must not read as another number elsewhere.
void checkConversions(std::string_view field) {
    const auto byte = SettingsConversions::toByte(field);
    const auto int16 = SettingsConversions::toInt16(field);
    const auto percent = SettingsConversions::toMinFreePercent(field);
    const auto single = SettingsConversions::toSingle(field);
    if (byte) {
        FUZZ_CHECK(int16 && *int16 == *byte);
        FUZZ_CHECK(percent && *percent == *byte);
        FUZZ_CHECK(SettingsConversions::toBoolean(field).has_value());
        FUZZ_CHECK(single.has_value());
    }
    if (int16 && *int16 >= 0 && *int16 <= 255) {
        FUZZ_CHECK(byte && *byte == *int16);
    }
    if (single) {
        FUZZ_CHECK(std::isfinite(*single));
    }
    // Text after the number ("10%") never changes the number the field starts with.
    const double leading = SettingsConversions::leadingNumber(field);
    FUZZ_CHECK(!std::isnan(leading));
    std::string withTail(field);
    withTail += "%x";
    FUZZ_CHECK(SettingsConversions::leadingNumber(withTail) == leading);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = asText(data, size);

    std::string_view rest = line;
    for (int i = 0; i < 16; ++i) {
        const std::size_t comma = rest.find(',');
        checkConversions(rest.substr(0, comma));
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }

    const auto record = SettingsFormat::parseSettings(line);
    if (!record) {
        return 0;
    }
    // Whatever was read can be saved again, and the saved line reads back as the same record. Only a
    // line break in the sound path, which a line read from a file cannot hold, is refused.
    const auto composed = SettingsFormat::composeSettings(*record);
    FUZZ_CHECK(composed.has_value() == !fuzz::hasLineBreak(record->AlarmSoundFile));
    if (!composed) {
        return 0;
    }
    const auto again = SettingsFormat::parseSettings(*composed);
    FUZZ_CHECK(again && *again == *record);
    FUZZ_CHECK(SettingsFormat::composeSettings(*again) == composed);
    return 0;
}
