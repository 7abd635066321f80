#include "core/menu_text.h"

#include <cctype>
#include <cstddef>

namespace ss {

namespace {

char Folded(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsMnemonicCandidate(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
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

char MnemonicOf(const std::string& caption) {
  char found = 0;
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    found = caption[i + 1];
    ++i;
  }
  return found;
}

std::vector<std::string> WithAutomaticMnemonics(const std::vector<std::string>& captions) {
  std::vector<std::string> result = captions;
  std::string used;
  for (const std::string& caption : captions) {
    if (const char m = MnemonicOf(caption)) used += Folded(m);
  }
  auto isFree = [&](char c) {
    return IsMnemonicCandidate(c) && used.find(Folded(c)) == std::string::npos;
  };
  for (std::string& caption : result) {
    if (caption == "-" || MnemonicOf(caption) != 0) continue;
    size_t chosen = std::string::npos;
    // First the first characters of words, then any character.
    for (size_t i = 0; i < caption.size() && chosen == std::string::npos; ++i) {
      const bool wordStart = i == 0 || caption[i - 1] == ' ';
      if (wordStart && caption[i] != '&' && isFree(caption[i])) chosen = i;
    }
    for (size_t i = 0; i < caption.size() && chosen == std::string::npos; ++i) {
      if (caption[i] != '&' && (i == 0 || caption[i - 1] != '&') && isFree(caption[i])) chosen = i;
    }
    if (chosen == std::string::npos) continue;
    used += Folded(caption[chosen]);
    caption.insert(caption.begin() + static_cast<std::ptrdiff_t>(chosen), '&');
  }
  return result;
}

}  // namespace ss
