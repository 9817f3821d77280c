#include "settings/SettingsConversions.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace tarvik::SettingsConversions {

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

} // namespace tarvik::SettingsConversions
