#include "core/menu_text.h"

#include <cstddef>

#include "core/unicode.h"

namespace ss {

namespace {

char32_t Folded(char32_t c) {
  return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c;
}

// Letters and digits of ASCII: those a user finds on every keyboard layout.
bool IsMnemonicCandidate(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

std::string KeyName(std::uint8_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::string(1, static_cast<char>(key));
  if (key >= 0x70 && key <= 0x87) {  // VK_F1..VK_F24
    std::string name(1, 'F');
    name += std::to_string(key - 0x6F);
    return name;
  }
  switch (key) {
    case 0x08:
      return "BkSp";
    case 0x09:
      return "Tab";
    case 0x0D:
      return "Enter";
    case 0x1B:
      return "Esc";
    case 0x20:
      return "Space";
    case 0x2D:
      return "Ins";
    case 0x2E:
      return "Del";
    default:
      return {};
  }
}

}  // namespace

std::string ShortcutText(std::uint16_t shortcut) {
  const std::string key = KeyName(static_cast<std::uint8_t>(shortcut & 0xFF));
  if (key.empty()) return {};
  std::string text;
  if (shortcut & 0x2000) text += "Shift+";
  if (shortcut & 0x4000) text += "Ctrl+";
  if (shortcut & 0x8000) text += "Alt+";
  return text + key;
}

std::string WithoutMnemonicPrefixes(const std::string& caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && ++i >= caption.size()) break;
    text += caption[i];
  }
  return text;
}

char32_t MnemonicOf(const std::string& caption) {
  char32_t found = 0;
  for (size_t i = 0; i < caption.size();) {
    if (caption[i] != '&') {
      NextCodePoint(caption, i);
      continue;
    }
    if (++i >= caption.size()) break;
    if (caption[i] == '&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    found = NextCodePoint(caption, i);
  }
  return found;
}

std::vector<std::string> WithAutomaticMnemonics(const std::vector<std::string>& captions) {
  std::vector<std::string> result = captions;
  std::u32string used;
  for (const std::string& caption : captions) {
    if (const char32_t m = MnemonicOf(caption)) used += Folded(m);
  }
  auto isFree = [&](char32_t c) {
    return IsMnemonicCandidate(c) && used.find(Folded(c)) == std::u32string::npos;
  };
  for (std::string& caption : result) {
    if (caption == "-" || MnemonicOf(caption) != 0) continue;
    // The captions' characters with where each starts; "&" goes in front of the chosen one.
    struct Character {
      size_t at;
      char32_t c;
    };
    std::vector<Character> characters;
    for (size_t i = 0; i < caption.size();) {
      const size_t at = i;
      characters.push_back({at, NextCodePoint(caption, i)});
    }
    const Character* chosen = nullptr;
    // First the first characters of words, then any character.
    for (size_t k = 0; k < characters.size() && !chosen; ++k) {
      const bool wordStart = k == 0 || characters[k - 1].c == U' ';
      if (wordStart && characters[k].c != U'&' && isFree(characters[k].c)) chosen = &characters[k];
    }
    for (size_t k = 0; k < characters.size() && !chosen; ++k) {
      const bool afterAmpersand = k > 0 && characters[k - 1].c == U'&';
      if (characters[k].c != U'&' && !afterAmpersand && isFree(characters[k].c)) {
        chosen = &characters[k];
      }
    }
    if (!chosen) continue;
    used += Folded(chosen->c);
    caption.insert(caption.begin() + static_cast<std::ptrdiff_t>(chosen->at), '&');
  }
  return result;
}

}  // namespace ss
