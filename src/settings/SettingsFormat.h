#pragma once

#include "settings/SettingsRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// The one-line formats of the settings files: comma-separated fields, no quoting.
// Parsers take one decoded line (without its line end) and fail as a whole.
namespace SettingsFormat {

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

} // namespace SettingsFormat
} // namespace tarvik
