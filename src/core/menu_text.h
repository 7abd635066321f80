// Texts of menu items: shortcut names and automatic mnemonics.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ss {

// The shown name of a shortcut: key code in the low byte, plus 0x2000 Shift, 0x4000 Ctrl,
// 0x8000 Alt; e.g. 0x4031 is "Ctrl+1". Empty for 0.
std::string ShortcutText(std::uint16_t shortcut);

// A caption as it reads: each single "&" left out, "&&" as one "&".
std::string WithoutMnemonicPrefixes(const std::string& caption);

// The mnemonic of a caption (UTF-8): the character after its last single "&", or 0.
char32_t MnemonicOf(const std::string& caption);

// Gives every caption without a mnemonic one: a letter or digit of its own that no other
// caption of the list uses, preferring the first character of a word (letters and digits of
// ASCII only, keys of every keyboard). Separators ("-") and captions that have one keep theirs;
// a caption with no free character stays as it is.
std::vector<std::string> WithAutomaticMnemonics(const std::vector<std::string>& captions);

}  // namespace ss
