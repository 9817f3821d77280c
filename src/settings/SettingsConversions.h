#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The settings files' single fields between text and value, as their readers and writers convert
// them. Blanks around a number are accepted.
namespace tarvik::SettingsConversions {

std::optional<std::uint8_t> toByte(std::string_view text);           // numeric, rounded half to even, 0..255
std::optional<std::int16_t> toInt16(std::string_view text);          // numeric, rounded half to even
std::optional<bool> toBoolean(std::string_view text);                // "True"/"False" any case, or any number (0 false)
std::optional<float> toSingle(std::string_view text);                // decimal number
double leadingNumber(std::string_view text);                         // the number the text starts with; 0 if none
std::optional<std::uint8_t> toMinFreePercent(std::string_view text); // leadingNumber, then toByte's range rule

std::string booleanText(bool value); // "True" / "False"
std::string singleText(float value); // shortest decimal text that reads back as the same float
bool equalsIgnoringCase(std::string_view a, std::string_view b); // A-Z and a-z alike, other bytes exactly

} // namespace tarvik::SettingsConversions
