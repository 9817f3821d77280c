#include "settings/SettingsFormat.h"

#include "settings/SettingsConversions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvik::SettingsFormat {

using namespace SettingsConversions;

namespace {

// Takes the text before the next comma off `rest`; nullopt when no comma is left.
std::optional<std::string_view> takeField(std::string_view& rest) {
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view field = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
    return field;
}

// Splits `line` into exactly N fields, the last one being whatever follows the (N-1)th comma.
template <std::size_t N> std::optional<std::array<std::string_view, N>> splitFields(std::string_view line) {
    std::array<std::string_view, N> fields;
    for (std::size_t i = 0; i + 1 < N; ++i) {
        const auto field = takeField(line);
        if (!field) {
            return std::nullopt;
        }
        fields[i] = *field;
    }
    fields[N - 1] = line;
    return fields;
}

std::string byteText(std::uint8_t value) {
    return std::to_string(static_cast<int>(value));
}

} // namespace

std::optional<SettingsRecord> parseSettings(std::string_view line) {
    const auto f = splitFields<14>(line);
    if (!f) {
        return std::nullopt;
    }
    const auto releaseLevel = toByte((*f)[0]);
    const auto autoRelease = toBoolean((*f)[1]);
    const auto minFree = toMinFreePercent((*f)[2]);
    const auto alarm = toBoolean((*f)[3]);
    const auto periodic = toBoolean((*f)[5]);
    const auto ticks = toInt16((*f)[6]);
    const auto clearClipboard = toBoolean((*f)[7]);
    const auto runAtLogon = toBoolean((*f)[8]);
    const auto hideMonitor = toBoolean((*f)[9]);
    const auto noReleaseBusy = toBoolean((*f)[10]);
    const auto autoLog = toBoolean((*f)[11]);
    const auto autoLogMinutes = toByte((*f)[12]);
    const auto chartStyle = toByte((*f)[13]);
    if (!releaseLevel || !autoRelease || !minFree || !alarm || !periodic || !ticks || !clearClipboard || !runAtLogon ||
        !hideMonitor || !noReleaseBusy || !autoLog || !autoLogMinutes || !chartStyle) {
        return std::nullopt;
    }
    SettingsRecord r;
    r.ReleaseLevel = *releaseLevel;
    r.AutoReleaseWhenLow = *autoRelease;
    r.MinFreePercent = *minFree;
    r.AlarmEnabled = *alarm;
    r.AlarmSoundFile = std::string((*f)[4]);
    r.PeriodicRelease = *periodic;
    r.PeriodicReleaseTicks = *ticks;
    r.ClearClipboardOnRelease = *clearClipboard;
    r.RunAtLogon = *runAtLogon;
    r.HideMonitorAtStart = *hideMonitor;
    r.NoReleaseWhenCpuBusy = *noReleaseBusy;
    r.AutoLogMemoryInfo = *autoLog;
    r.AutoLogMinutes = *autoLogMinutes;
    r.ChartStyle = *chartStyle;
    return r;
}

std::optional<AccessRecord> parseAccess(std::string_view line) {
    const auto f = splitFields<2>(line);
    if (!f) {
        return std::nullopt;
    }
    const auto level = toByte((*f)[0]);
    const auto usage = toByte((*f)[1]);
    if (!level || !usage) {
        return std::nullopt;
    }
    return AccessRecord{*level, *usage};
}

std::optional<MonitorPlacement> parsePlacement(std::string_view line) {
    const auto f = splitFields<3>(line);
    if (!f) {
        return std::nullopt;
    }
    const auto top = toSingle((*f)[0]);
    const auto left = toSingle((*f)[1]);
    const auto height = toSingle((*f)[2]);
    if (!top || !left || !height) {
        return std::nullopt;
    }
    return MonitorPlacement{*top, *left, *height};
}

std::optional<BatchStartList> parseBatchStart(std::string_view line) {
    std::string_view rest = line;
    // The count only has to be a byte; the entries themselves say how many there are.
    const auto count = takeField(rest);
    if (!count || !toByte(*count)) {
        return std::nullopt;
    }
    BatchStartList list;
    while (!rest.empty()) {
        if (list.size() == kMaxBatchEntries) {
            return std::nullopt;
        }
        const auto path = takeField(rest);
        if (!path) {
            return std::nullopt;
        }
        const auto selectedText = takeField(rest);
        if (!selectedText) {
            return std::nullopt;
        }
        const auto selected = toBoolean(*selectedText);
        if (!selected) {
            return std::nullopt;
        }
        list.push_back({std::string(*path), *selected});
    }
    return list;
}

bool isStorableText(std::string_view text) {
    return text.find_first_of(",\r\n") == std::string_view::npos;
}

std::optional<std::string> composeSettings(const SettingsRecord& r) {
    if (!isStorableText(r.AlarmSoundFile)) {
        return std::nullopt;
    }
    std::string line;
    line += byteText(r.ReleaseLevel) + ",";
    line += booleanText(r.AutoReleaseWhenLow) + ",";
    line += byteText(r.MinFreePercent) + ",";
    line += booleanText(r.AlarmEnabled) + ",";
    line += r.AlarmSoundFile + ",";
    line += booleanText(r.PeriodicRelease) + ",";
    line += std::to_string(r.PeriodicReleaseTicks) + ",";
    line += booleanText(r.ClearClipboardOnRelease) + ",";
    line += booleanText(r.RunAtLogon) + ",";
    line += booleanText(r.HideMonitorAtStart) + ",";
    line += booleanText(r.NoReleaseWhenCpuBusy) + ",";
    line += booleanText(r.AutoLogMemoryInfo) + ",";
    line += byteText(r.AutoLogMinutes) + ",";
    line += byteText(r.ChartStyle);
    return line;
}

std::string composeAccess(const AccessRecord& r) {
    return byteText(r.UserLevel) + "," + byteText(r.UsageType);
}

std::string composePlacement(const MonitorPlacement& p, std::string_view separator) {
    std::string line = singleText(p.Top);
    line += separator;
    line += singleText(p.Left);
    line += separator;
    line += singleText(p.Height);
    return line;
}

std::optional<std::string> composeBatchStart(const BatchStartList& list) {
    if (list.size() > kMaxBatchEntries) {
        return std::nullopt;
    }
    std::string line = std::to_string(list.size()) + ",";
    for (const auto& entry : list) {
        if (!isStorableText(entry.ProgramPath)) {
            return std::nullopt;
        }
        line += entry.ProgramPath + "," + booleanText(entry.Selected) + ",";
    }
    return line;
}

} // namespace tarvik::SettingsFormat
