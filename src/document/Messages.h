#pragma once
// Fixed user-visible texts of the load and save pipelines.

namespace msg {
inline constexpr const char* kUnexpectedFormat = "Unerwartetes Dateiformat.";
inline constexpr const char* kUnknownBlockTitle = "unknown Data found";
// %s is the tag text of the block that could not be read.
inline constexpr const char* kUnknownBlockText =
    "Nicht alle gefundenen Datenblöcke konnten ausgewertet werden.\n\nData: %s";
} // namespace msg
