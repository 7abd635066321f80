#include "tools/config/config_tool.h"

#include <algorithm>
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

// The column (from 1) of the byte at `at` of a line, counted in characters.
size_t Column(std::string_view line, size_t at) {
  size_t column = 1;
  for (size_t pos = 0; pos < at; ++column) NextCodePoint(line, pos);
  return column;
}

// UTF-16 in the byte order given, as UTF-8; unpaired surrogates become U+FFFD.
std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  return Utf16ToUtf8(units);
}

// "LE" or "BE" when every other byte of the first line is 0, as in UTF-16 text of the Latin
// letters a settings file starts with ("[SYSTEM]"); else empty.
std::string LooksLikeUtf16(std::string_view bytes) {
  const size_t length = std::min({bytes.find('\n'), bytes.size(), size_t{200}}) & ~size_t{1};
  if (length < 2) return "";
  bool oddZero = true, evenZero = true;
  for (size_t i = 0; i < length; ++i) {
    ((i % 2 ? oddZero : evenZero) &= bytes[i] == '\0');
  }
  if (oddZero != evenZero) return oddZero ? "LE" : "BE";
  return "";
}

}  // namespace

std::string Utf16Encoding(std::string_view bytes) {
  if (bytes.substr(0, 2) == "\xFF\xFE") return "UTF-16 LE";
  if (bytes.substr(0, 2) == "\xFE\xFF") return "UTF-16 BE";
  const std::string order = LooksLikeUtf16(bytes);
  return order.empty() ? "" : "UTF-16 " + order;
}

ClearText ReadClearText(std::string_view bytes) {
  ClearText clear;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
    clear.removedByteOrderMark = true;
    clear.text = bytes;
  } else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
    const bool bigEndian = bytes[0] == '\xFE';
    clear.convertedFrom = bigEndian ? "UTF-16 BE" : "UTF-16 LE";
    if (bytes.size() % 2 != 0) {
      clear.error = "the file is " + clear.convertedFrom +
                    " text (it starts with that byte-order mark) but ends in half a character; "
                    "save it again as UTF-8";
      return clear;
    }
    clear.text = FromUtf16(bytes.substr(2), bigEndian);
  } else if (const std::string order = LooksLikeUtf16(bytes); !order.empty()) {
    clear.error = "the file looks like UTF-16 " + order +
                  " text without a byte-order mark (every other byte of its first line is 0), "
                  "which cannot be told from other text for sure; save it as UTF-8 (in Notepad: "
                  "File, Save As, Encoding \"UTF-8\"), or as UTF-16 with its byte-order mark";
    return clear;
  } else {
    clear.text = bytes;
  }
  const std::vector<std::string_view> lines = SplitClearLines(clear.text);
  for (size_t l = 0; l < lines.size(); ++l) {
    if (const size_t at = lines[l].find('\0'); at != std::string_view::npos) {
      clear.error = "line " + std::to_string(l + 1) + ", column " +
                    std::to_string(Column(lines[l], at)) +
                    ": a NUL character (0x00), which would end the setting there; remove it";
      return clear;
    }
  }
  clear.ok = true;
  return clear;
}

PackResult PackClearText(std::string_view bytes) {
  PackResult result;
  const ClearText text = ReadClearText(bytes);
  result.removedByteOrderMark = text.removedByteOrderMark;
  result.convertedFrom = text.convertedFrom;
  if (!text.ok) {
    result.error = text.error;
    return result;
  }
  const std::string_view clear = text.text;
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
