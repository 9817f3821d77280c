// The line of AqSet.dxl.
#include "FuzzCheck.h"
#include "settings/SettingsFormat.h"

using namespace tarvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto record = SettingsFormat::parseAccess(fuzz::asText(data, size));
    if (!record) {
        return 0;
    }
    // The saved line reads back as the same record, and saving is stable from then on.
    const std::string composed = SettingsFormat::composeAccess(*record);
    const auto again = SettingsFormat::parseAccess(composed);
    FUZZ_CHECK(again && *again == *record);
    FUZZ_CHECK(SettingsFormat::composeAccess(*again) == composed);
    return 0;
}
