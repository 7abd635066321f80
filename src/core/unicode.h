// Text inside the program is UTF-8; the system takes UTF-16, and settings written so far are
// legacy code-page text. Every conversion between them lives here.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace ss {

// Valid UTF-8: no overlong forms, no surrogates (U+D800 to U+DFFF), nothing above U+10FFFF,
// no cut-off sequence.
bool IsValidUtf8(std::string_view text);

// The character that starts at `pos`, which moves past it. A byte that starts no valid UTF-8
// sequence is a character of its own, the code point of the byte's value, so every byte string
// decodes.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);
// The last character of a text (by the same rule), or 0 for an empty text.
char32_t LastCodePoint(std::string_view text);

// Appends a code point in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-8 to UTF-16 and back. Bytes that are no valid UTF-8 become the code points of their
// values; an unpaired surrogate becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// The longest start of a text that takes at most `units` UTF-16 code units, cut between
// characters (never inside a surrogate pair or a UTF-8 sequence).
std::string CutToUtf16Units(std::string_view text, std::size_t units);

// Decodes text of a legacy code page into UTF-8.
using LegacyDecoder = std::function<std::string(std::string_view bytes)>;

// Windows-1252; its five undefined bytes become the code points of their values.
std::string DecodeWindows1252(std::string_view bytes);

// A setting's bytes as text: valid UTF-8 as it stands, anything else legacy code-page text.
std::string SettingText(std::string_view bytes, const LegacyDecoder& legacy);

// Not valid UTF-8 as a whole, yet holding a valid UTF-8 sequence of two or more bytes: text
// that was partly written as UTF-8 and partly in a legacy code page. It is read as legacy
// text, so its UTF-8 part shows garbled.
bool MixesEncodings(std::string_view bytes);

}  // namespace ss
