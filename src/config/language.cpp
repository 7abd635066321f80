#include "config/language.h"

#include <algorithm>
#include <array>
#include <utility>

namespace ss {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// The first subtag of a tag, lower-cased ("de" of "DE-at").
std::string PrimarySubtag(std::string_view tag) {
  std::string primary(tag.substr(0, tag.find('-')));
  for (char& c : primary) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return primary;
}

// Whether a line of the file is longer than a translation's line can be.
bool HasLongLine(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (end - start > kMaxLanguageLineBytes) return true;
    start = end + 1;
  }
  return false;
}

constexpr std::array<std::string_view, 4> kPlaceholders{"{title}", "{year}", "{copyright}",
                                                        "{version}"};

}  // namespace

Language LauncherLanguage;

bool IsLanguageTag(std::string_view tag) {
  if (tag.empty()) return false;
  std::size_t start = 0;
  bool first = true;
  while (true) {
    std::size_t end = tag.find('-', start);
    if (end == std::string_view::npos) end = tag.size();
    const std::string_view subtag = tag.substr(start, end - start);
    if (subtag.empty() || subtag.size() > 8) return false;
    for (const char c : subtag) {
      if (!IsAsciiLetter(c) && (first || !IsAsciiDigit(c))) return false;
    }
    if (end == tag.size()) return true;
    first = false;
    start = end + 1;
  }
}

std::vector<std::string> LanguageTagChain(std::string_view tag) {
  std::vector<std::string> chain;
  if (!IsLanguageTag(tag)) return chain;
  for (std::string_view rest = tag;;) {
    chain.emplace_back(rest);
    const std::size_t hyphen = rest.rfind('-');
    if (hyphen == std::string_view::npos) break;
    rest = rest.substr(0, hyphen);
  }
  return chain;
}

bool IsRightToLeftTag(std::string_view tag) {
  static constexpr std::array<std::string_view, 10> kRightToLeft{"ar", "he", "fa", "ur", "ps",
                                                                 "sd", "ug", "yi", "dv", "ckb"};
  const std::string primary = PrimarySubtag(tag);
  return std::find(kRightToLeft.begin(), kRightToLeft.end(), primary) != kRightToLeft.end();
}

std::optional<LanguageFile> ParseLanguageFile(std::string tag, std::string_view bytes) {
  if (bytes.size() > kMaxLanguageFileBytes) return std::nullopt;
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) bytes.remove_prefix(kUtf8Mark.size());
  if (HasLongLine(bytes)) return std::nullopt;
  return LanguageFile{std::move(tag), ParseConfigLines(SplitTextLines(bytes))};
}

Language::Language(std::vector<LanguageFile> files, LegacyDecoder legacy)
    : files_(std::move(files)), legacy_(std::move(legacy)) {}

const std::string& Language::tag() const {
  static const std::string kNone;
  return files_.empty() ? kNone : files_.front().tag;
}

bool Language::rightToLeft() const {
  if (files_.empty()) return false;
  const std::string direction =
      UpperCaseName(ReadValue(files_.front().store, kLanguageSection, "Direction", ""));
  if (direction == "RTL") return true;
  if (direction == "LTR") return false;
  return IsRightToLeftTag(files_.front().tag);
}

std::string Language::name() const {
  return files_.empty()
             ? std::string()
             : SettingText(ReadValue(files_.front().store, kLanguageSection, "Name", ""), legacy_);
}

std::optional<std::string> Language::find(std::string_view section, std::string_view key) const {
  // ReadValue cannot tell a missing key from an empty value; the entries can.
  for (const LanguageFile& file : files_) {
    const auto entries = SectionEntries(file.store, section);
    const std::string wanted = UpperCaseName(key);
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
      if (UpperCaseName(entry->first) == wanted) return SettingText(entry->second, legacy_);
    }
  }
  return std::nullopt;
}

std::string Language::text(std::string_view section, std::string_view key,
                           std::string_view english) const {
  std::optional<std::string> found = find(section, key);
  return found ? std::move(*found) : std::string(english);
}

Language ChooseLanguage(std::string_view fixedTag, const std::vector<std::string>& userLanguages,
                        const LanguageFileReader& read, LegacyDecoder legacy) {
  std::vector<std::string> wanted{std::string(fixedTag)};
  wanted.insert(wanted.end(), userLanguages.begin(), userLanguages.end());
  const auto load = [&](const std::string& tag) -> std::optional<LanguageFile> {
    std::optional<std::string> bytes = read(tag);
    if (!bytes) return std::nullopt;
    return ParseLanguageFile(tag, *bytes);
  };
  for (const std::string& language : wanted) {
    const std::vector<std::string> chain = LanguageTagChain(language);
    for (std::size_t i = 0; i < chain.size(); ++i) {
      std::optional<LanguageFile> chosen = load(chain[i]);
      if (!chosen) continue;
      std::vector<LanguageFile> files;
      files.push_back(std::move(*chosen));
      for (std::size_t parent = i + 1; parent < chain.size(); ++parent) {
        if (std::optional<LanguageFile> file = load(chain[parent])) {
          files.push_back(std::move(*file));
        }
      }
      return Language(std::move(files), std::move(legacy));
    }
  }
  return Language({}, std::move(legacy));
}

std::string FillPlaceholders(std::string_view text, const PlaceholderValues& values) {
  const std::array<const std::string*, 4> replacements{&values.title, &values.year,
                                                       &values.copyright, &values.version};
  std::string filled;
  filled.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    bool replaced = false;
    if (text[pos] == '{') {
      for (std::size_t i = 0; i < kPlaceholders.size(); ++i) {
        if (text.substr(pos, kPlaceholders[i].size()) == kPlaceholders[i]) {
          filled += *replacements[i];
          pos += kPlaceholders[i].size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) filled += text[pos++];
  }
  return filled;
}

std::vector<std::string> PlaceholdersIn(std::string_view text) {
  std::vector<std::string> found;
  for (std::size_t pos = text.find('{'); pos != std::string_view::npos;
       pos = text.find('{', pos + 1)) {
    for (const std::string_view placeholder : kPlaceholders) {
      if (text.substr(pos, placeholder.size()) == placeholder &&
          std::find(found.begin(), found.end(), placeholder) == found.end()) {
        found.emplace_back(placeholder);
      }
    }
  }
  return found;
}

}  // namespace ss
