#include "tools/config/config_tool.h"

#include <cstdio>

#include "config/config_store.h"
#include "config/parse_integer.h"
#include "core/errors.h"

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

// The window that holds the title keeps it up to its first NUL and at most 255 bytes.
std::string TitleAsHeld(const std::string& name) {
  std::string title = name.substr(0, name.find('\0'));
  if (title.size() > 255) title.resize(255);
  return title;
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

Settings ReadSettings(std::string_view stored) {
  Settings settings;
  const ConfigStore store = ParseConfigBuffer(stored);
  settings.name = TitleAsHeld(ReadValue(store, kSystemSection, TitleSetting().key, ""));
  try {
    ReadGlobalVars(store, settings.vars);
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
  out += "Error: ";
  out += settings.failed ? settings.errorClass + ": " + settings.errorMessage : "none";
  out += '\n';
  return out;
}

std::string JsonString(std::string_view bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += ch;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else if (byte < 0x80) {
      out += ch;
    } else {
      // The code point of the byte's value, in UTF-8.
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
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
