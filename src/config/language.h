// The user's language: language files beside the launcher (lang\<tag>.ini, plain UTF-8 text),
// which one is chosen, and each text looked up along the chain of its parent tags.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_store.h"
#include "core/unicode.h"

namespace ss {

// The folder of the language files, under the launcher's folder.
inline constexpr const char* kLanguageFolder = "lang\\";
// The file's sections, and the settings' section and key that fix a language.
inline constexpr const char* kLanguageSection = "LANGUAGE";
inline constexpr const char* kLanguageTextSection = "TEXT";
inline constexpr const char* kLanguageUseKey = "Use";
// Files above this size, or with a line above kMaxLanguageLineBytes, are ignored: a
// translation is a few kilobytes, and reading one must never cost the launcher its start.
inline constexpr std::size_t kMaxLanguageFileBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxLanguageLineBytes = 64 * 1024;

// A language tag as a file name may carry it: subtags of ASCII letters and digits, one to eight
// each, joined by hyphens, the first of letters only ("de", "de-AT", "zh-Hant", "es-419").
// Nothing else can reach a path.
bool IsLanguageTag(std::string_view tag);

// The tag and its parents, nearest first: "de-AT" gives "de-AT", "de"; "zh-Hant-TW" gives
// "zh-Hant-TW", "zh-Hant", "zh". Empty for a string that is no language tag.
std::vector<std::string> LanguageTagChain(std::string_view tag);

// Whether a language is written right to left by default: Arabic, Hebrew, Persian, Urdu,
// Pashto, Sindhi, Uyghur, Yiddish, Dhivehi and Central Kurdish, with any region or script.
bool IsRightToLeftTag(std::string_view tag);

// One language file's text, parsed by the settings' INI rules, with its tag; a byte-order mark
// is stepped over. nullopt when it is too large or has too long a line.
struct LanguageFile {
  std::string tag;
  ConfigStore store;
};
std::optional<LanguageFile> ParseLanguageFile(std::string tag, std::string_view bytes);

// Reads the language file of a tag: its bytes, or nullopt when there is none or it cannot be
// read (the chooser then goes on as if there were none).
using LanguageFileReader = std::function<std::optional<std::string>(const std::string& tag)>;

// The chosen language: its file and its parents' files that exist, nearest first. Without
// files it is the built-in English.
class Language {
 public:
  Language() = default;
  Language(std::vector<LanguageFile> files, LegacyDecoder legacy);

  // The chosen file's tag, or empty for the built-in English.
  const std::string& tag() const;
  bool builtIn() const { return files_.empty(); }
  // The chosen file's [LANGUAGE] Direction (LTR or RTL, any case), else its tag's default.
  bool rightToLeft() const;
  // The chosen file's [LANGUAGE] Name, or empty.
  std::string name() const;

  // The value of `key` in `section` from the nearest file that has it (an empty value counts as
  // set), as text (UTF-8, or legacy code-page text decoded); nullopt when no file has it.
  std::optional<std::string> find(std::string_view section, std::string_view key) const;
  // The same with a fallback: `english` when no file has it.
  std::string text(std::string_view section, std::string_view key, std::string_view english) const;

 private:
  std::vector<LanguageFile> files_;
  LegacyDecoder legacy_ = DecodeWindows1252;
};

// Chooses the language: the chain of `fixedTag` (the settings' choice, when it is a tag) and
// then the chains of the user's preferred languages in order; the first tag whose file reads
// is chosen, with the files of its parents that read. `legacy` decodes text that is not UTF-8.
Language ChooseLanguage(std::string_view fixedTag, const std::vector<std::string>& userLanguages,
                        const LanguageFileReader& read, LegacyDecoder legacy);

// The placeholders {title}, {year}, {copyright} and {version} replaced by their values as plain
// text, in one pass: a value is never searched for placeholders again, and anything else
// ("%s", "{name}") stays as it stands.
struct PlaceholderValues {
  std::string title;
  std::string year;
  std::string copyright;
  std::string version;
};
std::string FillPlaceholders(std::string_view text, const PlaceholderValues& values);

// The placeholders a text uses, in order of first use ("{title}", ...), for checking a
// translation against the English text.
std::vector<std::string> PlaceholdersIn(std::string_view text);

// The language the launcher speaks, chosen once at its start (the built-in English until then).
extern Language LauncherLanguage;

#ifdef _WIN32
// Chooses LauncherLanguage from the language files in ExeFolder + kLanguageFolder: the
// settings' [LANGUAGE] Use, then the user's preferred interface languages. A file that cannot be
// read is passed over without a word: a translation never stops the launcher.
void ChooseLauncherLanguage(const ConfigStore& settings);
#endif

}  // namespace ss
