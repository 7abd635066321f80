// The scrambled INI text of the configuration file: splitting, unscrambling, parsing, lookup.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ss {

// One section of the parsed file: its name and its kept lines, entries stored as
// name "=" value (both trimmed) and bare lines as they stand.
struct ConfigSection {
  std::string name;
  std::vector<std::string> lines;
};

// The parsed file: sections in file order, duplicates included.
struct ConfigStore {
  std::vector<ConfigSection> sections;
};

// Splits the text (up to the first 0x00 byte) into lines at CR LF, LF or CR.
std::vector<std::string> SplitTextLines(std::string_view buffer);

// Complements every byte; its own inverse.
std::string UnscrambleLine(std::string_view line);

// Builds the store from clear-text lines by the INI rules.
ConfigStore ParseConfigLines(const std::vector<std::string>& lines);

// Splits, unscrambles and parses the whole content of a configuration file.
ConfigStore ParseConfigBuffer(std::string_view buffer);

// The value of the last entry named `key` in the last section named `section` (names
// matched without regard to case), or `defaultValue` when either is missing.
std::string ReadValue(const ConfigStore& store, std::string_view section, std::string_view key,
                      const std::string& defaultValue);

// Trims bytes 0x00 to 0x20 from both ends.
std::string_view TrimControlBytes(std::string_view text);

// Upper-cases a name the way the system's ANSI code page does (host: ASCII letters only).
std::string UpperCaseName(std::string_view name);

}  // namespace ss
