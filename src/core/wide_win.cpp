#include "core/wide.h"

#include <windows.h>

namespace ss {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

std::wstring Wide(std::string_view text) {
  const std::u16string utf16 = Utf8ToUtf16(text);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string Narrow(std::wstring_view text) {
  return Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

unsigned SystemLegacyCodePage() {
  DWORD codePage = 0;
  // The system locale's code page, not GetACP(): the manifest's UTF-8 code page changes that.
  if (!GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                      reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)) ||
      codePage == 0 || codePage == CP_UTF8) {
    // No legacy code page (a system set to UTF-8 throughout): the most common one of settings.
    return 1252;
  }
  return codePage;
}

namespace {

// MultiByteToWideChar, false when a byte sequence is not of the code page.
bool ConvertStrictly(std::string_view bytes, unsigned codePage, std::wstring& out) {
  if (bytes.empty()) return true;
  const int size = static_cast<int>(bytes.size());
  const int length =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length <= 0) return false;
  const size_t at = out.size();
  out.resize(at + static_cast<size_t>(length));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, out.data() + at,
                             length) == length;
}

}  // namespace

std::string DecodeCodePage(std::string_view bytes, unsigned codePage) {
  std::wstring wide;
  if (ConvertStrictly(bytes, codePage, wide)) return Narrow(wide);
  // Character by character: a lead byte with its trail byte, or a single byte; what the code
  // page does not define stands for itself.
  wide.clear();
  for (size_t pos = 0; pos < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    const size_t length = IsDBCSLeadByteEx(codePage, byte) && pos + 1 < bytes.size() ? 2 : 1;
    if (!ConvertStrictly(bytes.substr(pos, length), codePage, wide)) {
      wide += static_cast<wchar_t>(byte);
      pos += 1;
      continue;
    }
    pos += length;
  }
  return Narrow(wide);
}

LegacyDecoder SystemLegacyDecoder() {
  const unsigned codePage = SystemLegacyCodePage();
  return [codePage](std::string_view bytes) { return DecodeCodePage(bytes, codePage); };
}

}  // namespace ss
