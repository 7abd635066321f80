// libFuzzer target: the configuration reader on any stored bytes, and on scrambled text built
// from INI pieces, agrees with a plain line-list reading of the same rules in every section,
// every kept line and every lookup, and reads the settings record as the launcher does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_store.h"
#include "config/global_vars.h"
#include "config/parse_integer.h"
#include "core/errors.h"
#include "core/unicode.h"

namespace {

using ss::ConfigSection;

void Check(bool holds) {
  if (!holds) std::abort();
}

// ---- The reference: one string per line, sections as a list, lookups from the back. ----

std::vector<std::string> ReferenceLines(std::string_view stored) {
  std::vector<std::string> lines;
  std::string line;
  size_t i = 0;
  while (i < stored.size() && stored[i] != '\0') {
    line.clear();
    while (i < stored.size() && stored[i] != '\0' && stored[i] != '\n' && stored[i] != '\r') {
      line += static_cast<char>(0xFF - static_cast<unsigned char>(stored[i]));
      ++i;
    }
    lines.push_back(line);
    if (i < stored.size() && stored[i] == '\r') ++i;
    if (i < stored.size() && stored[i] == '\n') ++i;
  }
  return lines;
}

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

std::vector<ConfigSection> ReferenceParse(const std::vector<std::string>& lines) {
  std::vector<ConfigSection> sections;
  for (const std::string& raw : lines) {
    const std::string t = Trim(raw);
    if (t.empty() || t[0] == ';') continue;
    if (t.size() >= 2 && t[0] == '[' && t[t.size() - 1] == ']') {
      sections.push_back({Trim(t.substr(1, t.size() - 2)), {}});
      continue;
    }
    if (sections.empty()) continue;
    const size_t eq = t.find('=');
    sections.back().lines.push_back(
        eq == std::string::npos ? t : Trim(t.substr(0, eq)) + "=" + Trim(t.substr(eq + 1)));
  }
  return sections;
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

std::string ReferenceRead(const std::vector<ConfigSection>& sections, const std::string& section,
                          const std::string& key, const std::string& missing) {
  for (size_t s = sections.size(); s-- > 0;) {
    if (!SameName(sections[s].name, section)) continue;
    const std::vector<std::string>& lines = sections[s].lines;
    for (size_t l = lines.size(); l-- > 0;) {
      const size_t eq = lines[l].find('=');
      if (eq != std::string::npos && SameName(lines[l].substr(0, eq), key)) {
        return lines[l].substr(eq + 1);
      }
    }
    return missing;
  }
  return missing;
}

// ---- The checks. ----

void CheckStoredBytes(std::string_view stored) {
  const ss::ConfigStore store = ss::ParseConfigBuffer(stored);
  const std::vector<ConfigSection> expected = ReferenceParse(ReferenceLines(stored));
  const std::vector<ConfigSection> sections = store.sections();
  Check(store.sectionCount() == expected.size() && sections.size() == expected.size());
  for (size_t s = 0; s < expected.size(); ++s) {
    Check(sections[s].name == expected[s].name && sections[s].lines == expected[s].lines);
  }

  // The launcher's keys, and names that stand in the file, looked up in their case and in
  // lower case; "<missing>" tells a missing key from an empty value.
  const std::string missing = "<missing>";
  auto checkRead = [&](const std::string& section, const std::string& key) {
    Check(ss::ReadValue(store, section, key, missing) ==
          ReferenceRead(expected, section, key, missing));
  };
  for (const ss::Setting& setting : ss::kSettings) checkRead(ss::kSystemSection, setting.key);
  for (size_t s = 0; s < expected.size() && s < 4; ++s) {
    std::string lower = expected[s].name;
    for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    checkRead(lower, ss::TitleSetting().key);
    for (size_t l = 0; l < expected[s].lines.size() && l < 4; ++l) {
      const std::string& line = expected[s].lines[l];
      checkRead(expected[s].name, line.substr(0, line.find('=')));
    }
  }

  // The settings record: every field from its key, or Version and Copyright alone when "Skin"
  // is no integer, with the conversion error naming the value.
  // Values are text: UTF-8 as stored, anything else Windows-1252 (the reader's default).
  const auto text = [&](const char* key) {
    return ss::SettingText(ReferenceRead(expected, "SYSTEM", key, ""), ss::DecodeWindows1252);
  };
  const std::string skin = text(ss::SettingOf(&ss::TGlobalVars::Skin).key);
  std::int32_t skinValue = 0;
  const bool skinValid = ss::TryParseInteger(skin, skinValue);
  ss::TGlobalVars vars;
  try {
    ss::ReadGlobalVars(store, vars);
    Check(skinValid && vars.Skin == skinValue);
  } catch (const ss::EConvertError& error) {
    Check(!skinValid && error.message() == "'" + skin + "' is not a valid integer value");
    Check(vars.Skin == 0);
  }
  // Every text field holds what the reference reads, up to Skin; after an invalid Skin, nothing.
  bool afterSkin = false;
  for (const ss::Setting& setting : ss::kSettings) {
    if (setting.kind == ss::SettingKind::Title) continue;
    if (setting.number) {
      afterSkin = true;
      continue;
    }
    const std::string& field = vars.*setting.text;
    if (afterSkin && !skinValid) {
      Check(field.empty());
    } else {
      Check(field == text(setting.key));
    }
  }
}

// Clear text built from INI pieces, so that headers, keys and breaks meet often: a byte below
// the table's size picks a piece, any other byte stands for itself.
const char* const kPieces[] = {"[SYSTEM]",    "[system]",
                               "[ SYSTEM\t]", "[Other]",
                               "[",           "]",
                               "\r\n",        "\n",
                               "\r",          "=",
                               " ",           "\t",
                               ";",           "#",
                               "Name",        "skin",
                               "SKIN",        "Version",
                               "Copyright",   "1",
                               "$",           "0x",
                               "-",           "FFFFFFFF",
                               "ResFolder",   "HelpSupportLink",
                               "\"",          "a=b",
                               "\xFF",        "\xF5",
                               "\xF2",        "2147483648"};
constexpr size_t kPieceCount = sizeof kPieces / sizeof kPieces[0];

std::string BuildStoredText(std::string_view input) {
  std::string stored;
  for (char c : input) {
    const auto b = static_cast<unsigned char>(c);
    const std::string_view clear =
        b < kPieceCount ? std::string_view(kPieces[b]) : std::string_view(&c, 1);
    // Stored as the packing tool writes it: line contents complemented, breaks kept.
    for (char k : clear) {
      stored += k == '\r' || k == '\n' ? k : static_cast<char>(~static_cast<unsigned char>(k));
    }
  }
  return stored;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckStoredBytes(input);
  CheckStoredBytes(BuildStoredText(input));
  return 0;
}
