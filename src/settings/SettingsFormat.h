#pragma once

#include "settings/SettingsRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// The one-line formats of the settings files: comma-separated fields, no quoting.
// Parsers take one decoded line (without its line end) and fail as a whole.
namespace SettingsFormat {

// Conversions of single field texts, as the readers apply them. Blanks around a number are accepted.
std::optional<std::uint8_t> toByte(std::string_view text);           // numeric, rounded half to even, 0..255
std::optional<std::int16_t> toInt16(std::string_view text);          // numeric, rounded half to even
std::optional<bool> toBoolean(std::string_view text);                // "True"/"False" any case, or any number (0 false)
std::optional<float> toSingle(std::string_view text);                // decimal number
double leadingNumber(std::string_view text);                         // the number the text starts with; 0 if none
std::optional<std::uint8_t> toMinFreePercent(std::string_view text); // leadingNumber, then toByte's range rule

std::optional<SettingsRecord> parseSettings(std::string_view line);
std::optional<AccessRecord> parseAccess(std::string_view line);
std::optional<MonitorPlacement> parsePlacement(std::string_view line);
std::optional<BatchStartList> parseBatchStart(std::string_view line);

// A text field may be stored only when it holds no comma and no line break.
bool isStorableText(std::string_view text);

// Lines without their CR LF. nullopt when a text field is not storable.
std::optional<std::string> composeSettings(const SettingsRecord& r);
std::string composeAccess(const AccessRecord& r);
std::string composePlacement(const MonitorPlacement& p, std::string_view separator);
std::optional<std::string> composeBatchStart(const BatchStartList& list);

std::string booleanText(bool value);                             // "True" / "False"
bool equalsIgnoringCase(std::string_view a, std::string_view b); // A-Z and a-z alike, other bytes exactly
std::string singleText(float value); // shortest decimal text that reads back as the same float

} // namespace SettingsFormat
} // namespace tarvik
