// The commands of suitestart-config, as functions over bytes so that they are testable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/global_vars.h"

namespace ss::tool {

// The result of packing a clear text: the stored bytes, or the reason it cannot be stored.
struct PackResult {
  bool ok = false;
  std::string bytes;  // the scrambled file when ok
  std::string error;  // "line L, column C: ..." when not ok
  bool removedByteOrderMark = false;
};

// Scrambles clear text: each line complemented, lines joined with CR LF. A leading UTF-8
// byte-order mark is dropped (it would hide the first line from the reader).
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

Settings ReadSettings(std::string_view stored);

// The names of the settings that the launcher reads from [SYSTEM], in reading order.
std::vector<std::string> SettingKeys();

// "show" output: one "Key: value" line per setting, then "Error: ..." .
std::string FormatSettingsText(const Settings& settings);
// "show --json" output: one object; every byte of a text becomes the code point of its value.
std::string FormatSettingsJson(const Settings& settings);

// A JSON string literal of a byte string, each byte as the code point of its value.
std::string JsonString(std::string_view bytes);

}  // namespace ss::tool
