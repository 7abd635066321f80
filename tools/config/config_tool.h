// The commands of suitestart-config, as functions over bytes so that they are testable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/config_store.h"
#include "config/global_vars.h"
#include "core/unicode.h"

namespace ss::tool {

// A text file as a Windows editor saves it, read into UTF-8 or legacy code-page bytes.
struct ClearText {
  bool ok = false;
  std::string text;   // the text without its byte-order mark; UTF-16 converted to UTF-8
  std::string error;  // why the file cannot be read as text, with how to save it
  bool removedByteOrderMark = false;  // a UTF-8 mark was dropped
  std::string convertedFrom;          // "UTF-16 LE" or "UTF-16 BE" when converted
};

// Reads UTF-8 with or without its byte-order mark, UTF-16 LE or BE with theirs, and legacy
// code-page text as it stands. Text that looks like UTF-16 without a mark (every other byte of
// its start 0) is refused, as is a NUL character anywhere ("line L, column C: ...").
ClearText ReadClearText(std::string_view bytes);

// "UTF-16 LE" or "UTF-16 BE" when `bytes` start with that byte-order mark or look like that
// encoding without one (every other byte of the first line 0); else empty.
std::string Utf16Encoding(std::string_view bytes);

// The result of packing a clear text: the stored bytes, or the reason it cannot be stored.
struct PackResult {
  bool ok = false;
  std::string bytes;  // the scrambled file when ok
  std::string error;  // "line L, column C: ..." (or the encoding's problem) when not ok
  bool removedByteOrderMark = false;
  std::string convertedFrom;          // as ClearText's
  std::vector<std::string> warnings;  // "line L, column C: ..." for each line that is no UTF-8
};

// Scrambles clear text (read by ReadClearText): each line complemented, lines joined with CR
// LF. A line that is no valid UTF-8 is stored as it stands, as legacy code-page text, with a
// warning.
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
