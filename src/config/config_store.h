// The scrambled INI text of the configuration file: splitting, unscrambling, parsing, lookup.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/names.h"

namespace ss {

// One section of the parsed file: its name and its kept lines, entries stored as
// name "=" value (both trimmed) and bare lines as they stand.
struct ConfigSection {
  std::string name;
  std::vector<std::string> lines;
};

// The parsed file: sections in file order, duplicates included. Headers and kept lines are
// records in one byte string, so a file of millions of lines costs one or two bytes per kept
// line beyond its text, and blank, comment and stray lines cost nothing.
class ConfigStore {
 public:
  // Opens a new section, even when one of that name exists already.
  void addSection(std::string_view name);
  // Keeps a line in the last section; a store without sections ignores it.
  void addLine(std::string_view line);
  // Keeps the entry name "=" value in the last section; ignored without sections.
  void addEntry(std::string_view name, std::string_view value);

  // Room for the records of a text of this size, so that parsing never moves them.
  void reserve(size_t textSize);

  size_t sectionCount() const { return sectionCount_; }
  // Every section with its kept lines, as copies (for tools and tests, not for lookups).
  std::vector<ConfigSection> sections() const;

  // Calls visit(isHeader, bytes) for every header and kept line in file order.
  template <typename Visit>
  void forEachRecord(Visit&& visit) const {
    size_t pos = 0;
    while (pos < records_.size()) {
      const size_t tag = readTag(pos);
      const std::string_view bytes(records_.data() + pos, tag >> 1);
      pos += bytes.size();
      visit((tag & 1) != 0, bytes);
    }
  }

 private:
  void addRecord(bool header, std::string_view first, std::string_view second = {},
                 bool joinWithEquals = false);
  size_t readTag(size_t& pos) const;

  std::string records_;
  size_t sectionCount_ = 0;
};

// Splits the text (up to the first 0x00 byte) into lines at CR LF, LF or CR.
std::vector<std::string> SplitTextLines(std::string_view buffer);

// The scrambling of the file's lines: every byte b becomes its complement 0xFF - b. The
// operation is its own inverse, so it both scrambles a clear line and unscrambles a stored one.
std::string ComplementBytes(std::string_view bytes);

// A stored line's clear text (the reader's step: ComplementBytes).
std::string UnscrambleLine(std::string_view line);

// Builds the store from clear-text lines by the INI rules.
ConfigStore ParseConfigLines(const std::vector<std::string>& lines);

// Splits, unscrambles and parses the whole content of a configuration file in one pass, in
// time linear in its size and without a list of its lines.
ConfigStore ParseConfigBuffer(std::string_view buffer);

// The value of the last entry named `key` in the last section named `section` (names
// matched without regard to case), or `defaultValue` when either is missing.
std::string ReadValue(const ConfigStore& store, std::string_view section, std::string_view key,
                      const std::string& defaultValue);

// Every entry (name, value) of the last section named `section` (matched without regard to
// case), in file order; bare lines left out.
std::vector<std::pair<std::string, std::string>> SectionEntries(const ConfigStore& store,
                                                                std::string_view section);

// Trims bytes 0x00 to 0x20 from both ends.
std::string_view TrimControlBytes(std::string_view text);

}  // namespace ss
