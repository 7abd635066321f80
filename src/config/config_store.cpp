#include "config/config_store.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace ss {

std::vector<std::string> SplitTextLines(std::string_view buffer) {
  std::vector<std::string> lines;
  size_t pos = 0;
  const size_t size = buffer.size();
  while (pos < size && buffer[pos] != '\0') {
    const size_t start = pos;
    while (pos < size && buffer[pos] != '\0' && buffer[pos] != '\n' && buffer[pos] != '\r') ++pos;
    lines.emplace_back(buffer.substr(start, pos - start));
    if (pos < size && buffer[pos] == '\r') ++pos;
    if (pos < size && buffer[pos] == '\n') ++pos;
  }
  return lines;
}

std::string UnscrambleLine(std::string_view line) {
  std::string clear(line);
  for (char& c : clear) c = static_cast<char>(~static_cast<unsigned char>(c));
  return clear;
}

std::string_view TrimControlBytes(std::string_view text) {
  auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && isControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && isControl(text.back())) text.remove_suffix(1);
  return text;
}

std::string UpperCaseName(std::string_view name) {
  std::string upper(name);
#ifdef _WIN32
  // Folds bytes from 0x80 up by the ANSI code page, as the system compares names.
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
#else
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
#endif
  return upper;
}

ConfigStore ParseConfigLines(const std::vector<std::string>& lines) {
  ConfigStore store;
  for (const std::string& line : lines) {
    const std::string_view t = TrimControlBytes(line);
    if (t.empty() || t.front() == ';') continue;
    if (t.front() == '[' && t.back() == ']' && t.size() >= 2) {
      store.sections.push_back({std::string(TrimControlBytes(t.substr(1, t.size() - 2))), {}});
      continue;
    }
    if (store.sections.empty()) continue;
    std::vector<std::string>& kept = store.sections.back().lines;
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos) {
      kept.emplace_back(t);
    } else {
      std::string entry(TrimControlBytes(t.substr(0, eq)));
      entry += '=';
      entry += TrimControlBytes(t.substr(eq + 1));
      kept.push_back(std::move(entry));
    }
  }
  return store;
}

ConfigStore ParseConfigBuffer(std::string_view buffer) {
  std::vector<std::string> lines = SplitTextLines(buffer);
  for (std::string& line : lines) line = UnscrambleLine(line);
  return ParseConfigLines(lines);
}

std::string ReadValue(const ConfigStore& store, std::string_view section, std::string_view key,
                      const std::string& defaultValue) {
  const std::string wantedSection = UpperCaseName(section);
  const std::string wantedKey = UpperCaseName(key);
  for (auto s = store.sections.rbegin(); s != store.sections.rend(); ++s) {
    if (UpperCaseName(s->name) != wantedSection) continue;
    // Only the last section of that name counts.
    for (auto line = s->lines.rbegin(); line != s->lines.rend(); ++line) {
      const size_t eq = line->find('=');
      if (eq == std::string::npos) continue;
      if (UpperCaseName(std::string_view(*line).substr(0, eq)) == wantedKey) {
        return line->substr(eq + 1);
      }
    }
    return defaultValue;
  }
  return defaultValue;
}

}  // namespace ss
