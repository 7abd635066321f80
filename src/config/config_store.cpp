#include "config/config_store.h"

#include <algorithm>

namespace ss {

namespace {

bool IsLineEnd(char c) {
  return c == '\0' || c == '\n' || c == '\r';
}

// Calls onLine(line) for every line of the text up to the first 0x00 byte: a line runs to the
// next 0x00, LF or CR, after which one CR and then one LF are stepped over.
template <typename OnLine>
void ForEachTextLine(std::string_view buffer, OnLine&& onLine) {
  size_t pos = 0;
  const size_t size = buffer.size();
  while (pos < size && buffer[pos] != '\0') {
    const size_t start = pos;
    while (pos < size && !IsLineEnd(buffer[pos])) ++pos;
    onLine(buffer.substr(start, pos - start));
    if (pos < size && buffer[pos] == '\r') ++pos;
    if (pos < size && buffer[pos] == '\n') ++pos;
  }
}

// Compares names with one wanted name without regard to case. Upper-casing keeps a name's
// length, so a name of another length is turned down before any folding; the folding itself
// reuses one buffer, so a lookup over millions of lines allocates nothing per line.
class NameMatcher {
 public:
  explicit NameMatcher(std::string_view wanted) : wanted_(UpperCaseName(wanted)) {}
  bool matches(std::string_view name) {
    if (name.size() != wanted_.size()) return false;
    scratch_.assign(name);
    UpperCaseInPlace(scratch_);
    return scratch_ == wanted_;
  }

 private:
  std::string wanted_;
  std::string scratch_;
};

// The INI rules for one clear-text line.
void ParseConfigLine(std::string_view line, ConfigStore& store) {
  const std::string_view t = TrimControlBytes(line);
  if (t.empty() || t.front() == ';') return;
  if (t.front() == '[' && t.back() == ']' && t.size() >= 2) {
    store.addSection(TrimControlBytes(t.substr(1, t.size() - 2)));
    return;
  }
  if (store.sectionCount() == 0) return;
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) {
    store.addLine(t);
  } else {
    store.addEntry(TrimControlBytes(t.substr(0, eq)), TrimControlBytes(t.substr(eq + 1)));
  }
}

}  // namespace

// A record is a tag, length * 2 + 1 for a header or + 0 for a kept line, in 7-bit groups
// lowest first (the top bit of a byte says another group follows), then the bytes.
void ConfigStore::addRecord(bool header, std::string_view first, std::string_view second,
                            bool joinWithEquals) {
  const size_t length = first.size() + (joinWithEquals ? 1 : 0) + second.size();
  char tagBytes[10];
  size_t tagSize = 0;
  for (size_t tag = length * 2 + (header ? 1 : 0);; tag >>= 7) {
    tagBytes[tagSize++] = static_cast<char>(tag >= 0x80 ? 0x80 | (tag & 0x7F) : tag);
    if (tag < 0x80) break;
  }
  // Grown once per record and written in place: millions of tiny records stay cheap.
  const size_t at = records_.size();
  records_.resize(at + tagSize + length);
  char* out = records_.data() + at;
  out = std::copy_n(tagBytes, tagSize, out);
  out = std::copy(first.begin(), first.end(), out);
  if (joinWithEquals) *out++ = '=';
  std::copy(second.begin(), second.end(), out);
}

size_t ConfigStore::readTag(size_t& pos) const {
  size_t tag = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(records_[pos++]);
    tag |= static_cast<size_t>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) return tag;
  }
}

void ConfigStore::addSection(std::string_view name) {
  addRecord(true, name);
  ++sectionCount_;
}

void ConfigStore::addLine(std::string_view line) {
  if (sectionCount_ > 0) addRecord(false, line);
}

void ConfigStore::addEntry(std::string_view name, std::string_view value) {
  if (sectionCount_ > 0) addRecord(false, name, value, true);
}

void ConfigStore::reserve(size_t textSize) {
  // Records take about the text's size: a line's tag stands in for its break, and trimming
  // only shortens lines; a rare long line's longer tag just grows the string.
  records_.reserve(textSize + sizeof(size_t) + 2);
}

std::vector<ConfigSection> ConfigStore::sections() const {
  std::vector<ConfigSection> result;
  forEachRecord([&](bool header, std::string_view bytes) {
    if (header) {
      result.push_back({std::string(bytes), {}});
    } else {
      result.back().lines.emplace_back(bytes);
    }
  });
  return result;
}

std::vector<std::string> SplitTextLines(std::string_view buffer) {
  std::vector<std::string> lines;
  ForEachTextLine(buffer, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string ComplementBytes(std::string_view bytes) {
  std::string complement(bytes);
  for (char& c : complement) c = static_cast<char>(~static_cast<unsigned char>(c));
  return complement;
}

std::string UnscrambleLine(std::string_view line) {
  return ComplementBytes(line);
}

std::string_view TrimControlBytes(std::string_view text) {
  auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && isControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && isControl(text.back())) text.remove_suffix(1);
  return text;
}

ConfigStore ParseConfigLines(const std::vector<std::string>& lines) {
  ConfigStore store;
  for (const std::string& line : lines) ParseConfigLine(line, store);
  return store;
}

ConfigStore ParseConfigBuffer(std::string_view buffer) {
  // The text up to the first 0x00 byte, unscrambled in one pass. Its lines are cut where the
  // stored bytes break them: a clear byte 0x0A, 0x0D or 0x00 is line content, not a break.
  const std::string_view text = buffer.substr(0, std::min(buffer.find('\0'), buffer.size()));
  const std::string clear = ComplementBytes(text);
  ConfigStore store;
  store.reserve(text.size());
  ForEachTextLine(text, [&](std::string_view line) {
    if (line.empty()) return;
    const size_t offset = static_cast<size_t>(line.data() - text.data());
    ParseConfigLine(std::string_view(clear).substr(offset, line.size()), store);
  });
  return store;
}

std::vector<std::pair<std::string, std::string>> SectionEntries(const ConfigStore& store,
                                                                std::string_view section) {
  NameMatcher sectionName(section);
  std::vector<std::pair<std::string, std::string>> entries;
  bool inSection = false;
  store.forEachRecord([&](bool header, std::string_view bytes) {
    if (header) {
      inSection = sectionName.matches(bytes);
      // A later section of the name replaces an earlier one, as for lookups.
      if (inSection) entries.clear();
      return;
    }
    const size_t eq = bytes.find('=');
    if (inSection && eq != std::string_view::npos) {
      entries.emplace_back(bytes.substr(0, eq), bytes.substr(eq + 1));
    }
  });
  return entries;
}

std::string ReadValue(const ConfigStore& store, std::string_view section, std::string_view key,
                      const std::string& defaultValue) {
  NameMatcher sectionName(section);
  NameMatcher keyName(key);
  // One pass: each section of the wanted name starts the search afresh, so what is found at
  // the end lies in the last of them, and a later entry replaces an earlier one.
  bool inSection = false;
  bool found = false;
  std::string_view value;
  const size_t k = key.size();
  store.forEachRecord([&](bool header, std::string_view bytes) {
    if (header) {
      inSection = sectionName.matches(bytes);
      if (inSection) found = false;
      return;
    }
    // Upper-casing keeps lengths, so only a line whose first "=" stands right after the key's
    // length of bytes can match; long values are never searched for their "=".
    if (!inSection || bytes.size() <= k || bytes[k] != '=') return;
    const std::string_view name = bytes.substr(0, k);
    if (name.find('=') == std::string_view::npos && keyName.matches(name)) {
      value = bytes.substr(k + 1);
      found = true;
    }
  });
  return found ? std::string(value) : defaultValue;
}

}  // namespace ss
