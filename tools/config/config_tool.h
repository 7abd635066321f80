// The commands of suitestart-config, as functions over bytes so that they are testable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/config_store.h"
#include "config/global_vars.h"
#include "core/unicode.h"

namespace ss::tool {

// The result of packing a clear text: the stored bytes, or the reason it cannot be stored.
struct PackResult {
  bool ok = false;
  std::string bytes;  // the scrambled file when ok
  std::string error;  // "line L, column C: ..." when not ok
  bool removedByteOrderMark = false;
  std::vector<std::string> warnings;  // "line L, column C: ..." for each line that is no UTF-8
};

// Scrambles clear text: each line complemented, lines joined with CR LF. A leading UTF-8
// byte-order mark is dropped (it would hide the first line from the reader). A line that is no
// valid UTF-8 is stored as it stands, as legacy code-page text, with a warning.
PackResult PackClearText(std::string_view clear);

// The clear text of a stored file, line by line as the reader splits it, each ending in "\n".
std::string UnpackStoredText(std::string_view stored);

// Every setting as the launcher reads it, and the error it would meet.
struct Settings {
  std::string name;  // the application title as the launcher holds it
  TGlobalVars vars;
  bool failed = false;
  std::string errorClass;
  std::string errorMessage;
};

// Legacy text is decoded with `legacy`, as the launcher decodes it with the system's code page.
Settings ReadSettings(std::string_view stored, const LegacyDecoder& legacy = DecodeWindows1252);

// The application title as the launcher holds it: the product name's text up to its first NUL,
// cut to 255 UTF-16 code units between characters.
std::string HeldTitle(const ConfigStore& store, const LegacyDecoder& legacy);

// The names of the settings that the launcher reads from [SYSTEM], in reading order.
std::vector<std::string> SettingKeys();

// "show" output: one "Key: value" line per setting, then "Error: ..." .
std::string FormatSettingsText(const Settings& settings);
// "show --json" output: one object of the texts in UTF-8.
std::string FormatSettingsJson(const Settings& settings);

// A JSON string literal: valid UTF-8 as it stands, a byte of no valid UTF-8 sequence as the code
// point of its value; control characters, quotes and backslashes escaped.
std::string JsonString(std::string_view text);

}  // namespace ss::tool
