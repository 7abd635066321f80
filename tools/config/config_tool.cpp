#include "tools/config/config_tool.h"

#include <cstdio>

#include "config/config_store.h"
#include "config/parse_integer.h"
#include "core/errors.h"
#include "ui/main/form_main_tables.h"

namespace ss::tool {

namespace {

// Splits the whole clear text at CR LF, LF or CR; unlike the reader, a 0x00 byte is content.
std::vector<std::string_view> SplitClearLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = pos;
    while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') ++pos;
    lines.push_back(text.substr(start, pos - start));
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

// The column (from 1) of the first byte of a line that starts no valid UTF-8 sequence, or 0.
size_t FirstNonUtf8Column(std::string_view line) {
  for (size_t pos = 0; pos < line.size();) {
    const size_t start = pos;
    NextCodePoint(line, pos);
    if (pos - start == 1 && static_cast<unsigned char>(line[start]) >= 0x80) return start + 1;
  }
  return 0;
}

// A setting's value as shown: the title as held, a text as stored, the integer in decimal.
std::string ShownValue(const Settings& settings, const Setting& setting) {
  if (setting.kind == SettingKind::Title) return settings.name;
  if (setting.number) return std::to_string(settings.vars.*setting.number);
  return settings.vars.*setting.text;
}

}  // namespace

PackResult PackClearText(std::string_view clear) {
  PackResult result;
  if (clear.substr(0, 3) == "\xEF\xBB\xBF") {
    clear.remove_prefix(3);
    result.removedByteOrderMark = true;
  }
  const std::vector<std::string_view> lines = SplitClearLines(clear);
  for (size_t l = 0; l < lines.size(); ++l) {
    for (size_t c = 0; c < lines[l].size(); ++c) {
      const auto byte = static_cast<unsigned char>(lines[l][c]);
      // Their complements 0x00, 0x0A and 0x0D would end the text or the line.
      if (byte == 0xFF || byte == 0xF5 || byte == 0xF2) {
        char message[96];
        std::snprintf(message, sizeof message, "line %zu, column %zu: byte 0x%02X cannot be stored",
                      l + 1, c + 1, byte);
        result.error = message;
        return result;
      }
    }
  }
  for (size_t l = 0; l < lines.size(); ++l) {
    const size_t column = FirstNonUtf8Column(lines[l]);
    if (column == 0) continue;
    char message[240];
    std::snprintf(message, sizeof message,
                  "line %zu, column %zu: byte 0x%02X is not UTF-8, so the line is stored as "
                  "legacy code-page text, which shows right only on systems set to its language; "
                  "save the file as UTF-8 to show it alike everywhere",
                  l + 1, column, static_cast<unsigned char>(lines[l][column - 1]));
    result.warnings.push_back(message);
  }
  for (size_t l = 0; l < lines.size(); ++l) {
    result.bytes += ComplementBytes(lines[l]);
    result.bytes += "\r\n";
  }
  result.ok = true;
  return result;
}

std::string UnpackStoredText(std::string_view stored) {
  std::string clear;
  for (const std::string& line : SplitTextLines(stored)) {
    clear += UnscrambleLine(line);
    clear += '\n';
  }
  return clear;
}

std::string HeldTitle(const ConfigStore& store, const LegacyDecoder& legacy) {
  const std::string name = ReadSetting(store, TitleSetting(), legacy);
  // The window holds a NUL-terminated text of at most 255 UTF-16 code units.
  return CutToUtf16Units(std::string_view(name).substr(0, name.find('\0')), 255);
}

Settings ReadSettings(std::string_view stored, const LegacyDecoder& legacy) {
  Settings settings;
  const ConfigStore store = ParseConfigBuffer(stored);
  settings.name = HeldTitle(store, legacy);
  try {
    ReadGlobalVars(store, settings.vars, legacy);
  } catch (const Exception& error) {
    settings.failed = true;
    settings.errorClass = error.className();
    settings.errorMessage = error.message();
  }
  return settings;
}

std::vector<std::string> SettingKeys() {
  std::vector<std::string> keys;
  for (const Setting& setting : kSettings) keys.push_back(setting.key);
  return keys;
}

std::string FormatSettingsText(const Settings& settings) {
  std::string out;
  for (const Setting& setting : kSettings) {
    out += setting.key;
    out += ": ";
    out += ShownValue(settings, setting);
    out += '\n';
  }
  // What a screen reader calls each button: [ACCESSIBILITY]'s name, or the launcher's own.
  for (const main_window::ButtonLayout& button : main_window::kButtons) {
    const std::string set = AccessibleNameSetting(settings.vars, button.name);
    out += std::string(button.name) + " (screen readers): " +
           (set.empty() ? std::string(button.accessibleName) + " (built in)" : set) + '\n';
  }
  out += "Error: ";
  out += settings.failed ? settings.errorClass + ": " + settings.errorMessage : "none";
  out += '\n';
  return out;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (size_t pos = 0; pos < text.size();) {
    const char32_t c = NextCodePoint(text, pos);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      AppendUtf8(out, c);
    }
  }
  out += '"';
  return out;
}

std::string FormatSettingsJson(const Settings& settings) {
  std::string out = "{";
  for (const Setting& setting : kSettings) {
    out += JsonString(setting.key);
    out += ": ";
    const std::string value = ShownValue(settings, setting);
    out += setting.number ? value : JsonString(value);
    out += ", ";
  }
  out += "\"error\": ";
  if (settings.failed) {
    out += "{\"class\": " + JsonString(settings.errorClass) +
           ", \"message\": " + JsonString(settings.errorMessage) + "}";
  } else {
    out += "null";
  }
  out += "}\n";
  return out;
}

}  // namespace ss::tool
