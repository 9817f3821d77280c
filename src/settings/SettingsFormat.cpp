#include "settings/SettingsFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace tarvik::SettingsFormat {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

struct NumberScan {
    std::size_t length = 0; // 0: no number
    // Decimal exponent of the first significant digit, roughly; tells overflow from underflow.
    long long magnitude = 0;
};

// The longest prefix of `text` that is a decimal number: sign, digits with an optional fraction
// (".5" and "5." count), and an exponent only when digits follow the "e".
NumberScan scanNumber(std::string_view text) {
    NumberScan scan;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    bool anyDigit = false;
    bool significant = false;
    long long integerDigits = 0;
    long long leadingFractionZeros = 0;
    while (i < text.size() && isDigit(text[i])) {
        anyDigit = true;
        significant = significant || text[i] != '0';
        if (significant) {
            ++integerDigits;
        }
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            anyDigit = true;
            if (!significant && text[i] == '0') {
                ++leadingFractionZeros;
            }
            significant = significant || text[i] != '0';
            ++i;
        }
    }
    if (!anyDigit) {
        return scan;
    }
    scan.length = i;
    scan.magnitude = integerDigits > 0 ? integerDigits : -leadingFractionZeros;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            long long exponent = 0;
            while (j < text.size() && isDigit(text[j])) {
                if (exponent < 1'000'000) {
                    exponent = exponent * 10 + (text[j] - '0');
                }
                ++j;
            }
            scan.length = j;
            scan.magnitude += negative ? -exponent : exponent;
        }
    }
    return scan;
}

// Converts a text that scanNumber accepted in full. Numbers too small for T become 0; numbers
// too large give nullopt.
template <class T> std::optional<T> convertScanned(std::string_view number, const NumberScan& scan) {
    const bool negative = number.front() == '-';
    if (number.front() == '+') {
        number.remove_prefix(1); // from_chars takes no plus sign
    }
    T value{};
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (scan.magnitude > 0) {
            return std::nullopt;
        }
        return negative ? -T(0) : T(0);
    }
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

template <class T> std::optional<T> numericValue(std::string_view text) {
    text = trimBlanks(text);
    const NumberScan scan = scanNumber(text);
    if (scan.length == 0 || scan.length != text.size()) {
        return std::nullopt;
    }
    return convertScanned<T>(text, scan);
}

double roundHalfToEven(double x) {
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff < 0.5) {
        return lower;
    }
    if (diff > 0.5) {
        return lower + 1;
    }
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

// The readers' integer conversion: round half to even, then the value must fit T.
template <class T> std::optional<T> roundedTo(std::optional<double> value) {
    if (!value) {
        return std::nullopt;
    }
    const double rounded = roundHalfToEven(*value);
    if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return static_cast<T>(rounded);
}

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

std::optional<std::uint8_t> toByte(std::string_view text) {
    return roundedTo<std::uint8_t>(numericValue<double>(text));
}

std::optional<std::int16_t> toInt16(std::string_view text) {
    return roundedTo<std::int16_t>(numericValue<double>(text));
}

std::optional<bool> toBoolean(std::string_view text) {
    const std::string_view trimmed = trimBlanks(text);
    if (equalsIgnoringCase(trimmed, "true")) {
        return true;
    }
    if (equalsIgnoringCase(trimmed, "false")) {
        return false;
    }
    const auto value = numericValue<double>(trimmed);
    if (!value) {
        return std::nullopt;
    }
    return *value != 0;
}

std::optional<float> toSingle(std::string_view text) {
    return numericValue<float>(text);
}

double leadingNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    const NumberScan scan = scanNumber(text);
    if (scan.length == 0) {
        return 0;
    }
    const std::string_view number = text.substr(0, scan.length);
    const auto value = convertScanned<double>(number, scan);
    if (!value) {
        // Only a number beyond double's range gets here; its size is all that matters to callers.
        return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return *value;
}

std::optional<std::uint8_t> toMinFreePercent(std::string_view text) {
    return roundedTo<std::uint8_t>(leadingNumber(text));
}

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

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string booleanText(bool value) {
    return value ? "True" : "False";
}

std::string singleText(float value) {
    // A position that is not a number must not make wtl.dxl unreadable at the next start.
    if (!std::isfinite(value)) {
        return "0";
    }
    // Fixed notation keeps the file in plain decimals; it is still the shortest text that reads back.
    char buffer[128];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc()) {
        return "0";
    }
    return std::string(buffer, end);
}

} // namespace tarvik::SettingsFormat
