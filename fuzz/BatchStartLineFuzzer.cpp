// The line of afn.dxl.
#include "FuzzCheck.h"
#include "settings/SettingsFormat.h"

using namespace tarvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto list = SettingsFormat::parseBatchStart(fuzz::asText(data, size));
    if (!list) {
        return 0;
    }
    FUZZ_CHECK(list->size() <= kMaxBatchEntries);
    // A list read can be saved again (unless a path holds a line break, which no file line does)
    // and reads back with the same entries in the same order.
    bool storable = true;
    for (const auto& entry : *list) {
        FUZZ_CHECK(entry.ProgramPath.find(',') == std::string::npos);
        storable = storable && !fuzz::hasLineBreak(entry.ProgramPath);
    }
    const auto composed = SettingsFormat::composeBatchStart(*list);
    FUZZ_CHECK(composed.has_value() == storable);
    if (!composed) {
        return 0;
    }
    const auto again = SettingsFormat::parseBatchStart(*composed);
    FUZZ_CHECK(again && *again == *list);
    FUZZ_CHECK(SettingsFormat::composeBatchStart(*again) == composed);
    return 0;
}
