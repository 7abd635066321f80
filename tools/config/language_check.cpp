#include "tools/config/language_check.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string_view>

#include "config/global_vars.h"
#include "config/language.h"
#include "core/menu_text.h"
#include "core/unicode.h"
#include "ui/main/form_main_tables.h"

namespace ss::tool {

namespace {

namespace mw = ss::main_window;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kExtension = ".ini";

std::string FilePath(const std::string& tag) {
  return std::string(kLanguageFolder) + tag + std::string(kExtension);
}

// Reads a language file as the launcher does: nothing when missing or unreadable.
LanguageFileReader ReaderOf(const FolderView& folder) {
  return [&folder](const std::string& tag) -> std::optional<std::string> {
    FileRead file = folder.read(FilePath(tag));
    if (file.state != FileRead::Read) return std::nullopt;
    return std::move(file.bytes);
  };
}

// The key names of each section a language file may hold.
std::map<std::string, std::vector<std::string>> KnownKeys() {
  std::map<std::string, std::vector<std::string>> keys;
  keys[kLanguageSection] = {"Name", "Direction"};
  for (const mw::LanguageText& text : mw::kLanguageTexts) {
    keys[kLanguageTextSection].push_back(text.key);
  }
  for (const mw::ButtonLayout& button : mw::kButtons) {
    keys[kAccessibilitySection].push_back(button.name);
  }
  return keys;
}

// The known name `name` matches without regard to case, or nullopt.
std::optional<std::string> Known(const std::vector<std::string>& names, std::string_view name) {
  for (const std::string& known : names) {
    if (SameName(known, name)) return known;
  }
  return std::nullopt;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator = ", ") {
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : separator) + part;
  return joined;
}

class LanguageChecker {
 public:
  LanguageChecker(const FolderView& folder, const ConfigStore& settings,
                  const std::string& skinFolder, FolderReport& report)
      : folder_(folder), settings_(settings), skinFolder_(skinFolder), report_(report) {}

  void run() {
    for (const std::string& name : folder_.files(kLanguageFolder)) checkFile(name);
    std::vector<std::string> described;
    for (const auto& [tag, language] : languages_) {
      described.push_back(tag + " (" + (language.name().empty() ? "no name" : language.name()) +
                          (language.rightToLeft() ? ", right to left" : "") + ")");
    }
    report_.facts.push_back("Languages: " + (described.empty()
                                                 ? std::string("none (the launcher speaks English)")
                                                 : Joined(described)));
    checkSetting();
    if (!skinFolder_.empty()) checkPictures();
  }

 private:
  void warning(std::string text) {
    report_.problems.push_back({Severity::Warning, std::move(text)});
  }
  void error(std::string text) { report_.problems.push_back({Severity::Error, std::move(text)}); }

  void checkFile(const std::string& fileName) {
    const std::string path = std::string(kLanguageFolder) + fileName;
    if (fileName.size() <= kExtension.size() ||
        !SameName(std::string_view(fileName).substr(fileName.size() - kExtension.size()),
                  kExtension)) {
      warning(path + " is no language file (they end in .ini): the launcher never reads it.");
      return;
    }
    const std::string tag = fileName.substr(0, fileName.size() - kExtension.size());
    if (!IsLanguageTag(tag)) {
      warning(path + ": \"" + tag + "\" is no language tag, so the launcher never reads it. Name " +
              "the file by its language's tag, such as de.ini, de-AT.ini or zh-Hant.ini.");
      return;
    }
    const FileRead file = folder_.read(path);
    if (file.state != FileRead::Read) {
      warning(path + " cannot be read" + (file.error.empty() ? "" : " (" + file.error + ")") +
              ": the launcher passes over it. Let every user read it.");
      return;
    }
    std::string_view text = file.bytes;
    if (text.size() >= 2 && (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF")) {
      warning(path + " is UTF-16 text: the launcher reads UTF-8 only and finds no text in it. " +
              "Save it as UTF-8 (\"UTF-8\" in the editor's encoding choice).");
      return;
    }
    if (text.size() > kMaxLanguageFileBytes) {
      warning(path +
              " is larger than 1 MiB: the launcher ignores it. A translation takes a few "
              "kilobytes; remove what does not belong there.");
      return;
    }
    if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) text.remove_prefix(kUtf8Mark.size());
    if (!IsValidUtf8(text)) {
      warning(path + " is not UTF-8: the launcher reads it as text of the system's legacy code " +
              "page, which differs between users. Save it as UTF-8.");
    }
    const std::optional<LanguageFile> parsed = ParseLanguageFile(tag, file.bytes);
    if (!parsed) {
      warning(path + " has a line longer than 64 KiB: the launcher ignores the file.");
      return;
    }
    checkLines(path, text);
    languages_.emplace(tag, ChooseLanguage(tag, {}, ReaderOf(folder_), DecodeWindows1252));
    checkTexts(path, *parsed);
  }

  // Sections and keys line by line, by the settings' INI rules.
  void checkLines(const std::string& path, std::string_view text) {
    static const std::map<std::string, std::vector<std::string>> known = KnownKeys();
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
      const std::string before(text.substr(0, nul));
      const std::size_t line = std::count(before.begin(), before.end(), '\n') + 1;
      const std::size_t lineStart = before.find_last_of('\n');
      const std::size_t column = nul - (lineStart == std::string::npos ? 0 : lineStart + 1) + 1;
      error(path + ", line " + std::to_string(line) + ", column " + std::to_string(column) +
            ": a 0x00 byte ends the text there for the launcher. Remove it.");
    }
    const std::vector<std::string> lines = SplitTextLines(text);
    const std::vector<std::string>* keys = nullptr;
    std::string section;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string where = path + ", line " + std::to_string(i + 1);
      const std::string_view line = TrimControlBytes(lines[i]);
      if (line.empty() || line.front() == ';') continue;
      if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
        section = std::string(TrimControlBytes(line.substr(1, line.size() - 2)));
        const auto found = std::find_if(known.begin(), known.end(), [&](const auto& entry) {
          return SameName(entry.first, section);
        });
        keys = found == known.end() ? nullptr : &found->second;
        if (!keys) {
          warning(where + ": the launcher knows no section [" + section + "] and reads nothing " +
                  "in it. Its sections are [LANGUAGE], [TEXT] and [ACCESSIBILITY].");
        }
        continue;
      }
      const std::size_t eq = line.find('=');
      if (!keys || eq == std::string_view::npos) continue;
      const std::string key(TrimControlBytes(line.substr(0, eq)));
      const std::string value(TrimControlBytes(line.substr(eq + 1)));
      if (!Known(*keys, key)) {
        warning(where + ": [" + section + "] has no key \"" + key +
                "\"; the launcher ignores it. " + "The keys there are " + Joined(*keys) + ".");
      } else if (SameName(key, "Direction") &&
                 !(SameName(value, "LTR") || SameName(value, "RTL"))) {
        warning(where + ": Direction is \"" + value + "\", neither LTR nor RTL; the launcher " +
                "lays the window out by the language's tag instead.");
      }
    }
  }

  // Missing texts, placeholders and mnemonics, as the launcher would resolve them.
  void checkTexts(const std::string& path, const LanguageFile& file) {
    const Language& language = languages_.at(file.tag);
    const Language alone({file}, DecodeWindows1252);
    std::vector<std::string> english;
    std::vector<std::string> inherited;
    for (const mw::LanguageText& text : mw::kLanguageTexts) {
      const std::optional<std::string> value = alone.find(kLanguageTextSection, text.key);
      if (!value) {
        (language.find(kLanguageTextSection, text.key) ? inherited : english).push_back(text.key);
        continue;
      }
      const std::vector<std::string> wanted = PlaceholdersIn(text.english);
      const std::vector<std::string> used = PlaceholdersIn(*value);
      std::vector<std::string> missing;
      std::vector<std::string> extra;
      for (const std::string& p : wanted) {
        if (std::find(used.begin(), used.end(), p) == used.end()) missing.push_back(p);
      }
      for (const std::string& p : used) {
        if (std::find(wanted.begin(), wanted.end(), p) == wanted.end()) extra.push_back(p);
      }
      if (!missing.empty()) {
        warning(path + ": " + text.key + " leaves out " + Joined(missing) + ", which the " +
                "English text shows (\"" + text.english + "\").");
      }
      if (!extra.empty()) {
        warning(path + ": " + text.key + " uses " + Joined(extra) + ", which the English text " +
                "does not; it is filled in all the same. Make sure it is meant.");
      }
    }
    if (!inherited.empty()) {
      report_.facts.push_back(path + ": " + Joined(inherited) + " from its parent language");
    }
    if (!english.empty()) {
      warning(path + " has no " + Joined(english) + " in [TEXT]: these show in English. " +
              "Translate them.");
    }
    checkMnemonics(path, language, mw::kMoreToolsMenu);
    checkMnemonics(path, language, mw::kAudioCdMenu);
  }

  template <std::size_t N>
  void checkMnemonics(const std::string& path, const Language& language,
                      const std::array<mw::MenuItem, N>& menu) {
    std::map<char32_t, std::vector<std::string>> users;
    for (const mw::MenuItem& item : menu) {
      if (!item.program) continue;
      const char32_t mnemonic =
          MnemonicOf(language.text(kLanguageTextSection, item.name, item.caption));
      if (mnemonic == 0) continue;
      const char32_t folded = mnemonic >= 'a' && mnemonic <= 'z' ? mnemonic - 'a' + 'A' : mnemonic;
      users[folded].push_back(item.name);
    }
    for (const auto& [mnemonic, items] : users) {
      if (items.size() < 2) continue;
      std::string key;
      AppendUtf8(key, mnemonic);
      warning(path + ": " + Joined(items, " and ") + " share the access key \"" + key + "\" in " +
              "one menu, so typing it does not choose one at once. Give each its own \"&\".");
    }
  }

  void checkSetting() {
    const std::string use = ReadValue(settings_, kLanguageSection, kLanguageUseKey, "");
    if (use.empty()) return;
    const std::vector<std::string> chain = LanguageTagChain(use);
    if (chain.empty()) {
      warning("[LANGUAGE] Use is \"" + use + "\", which is no language tag: the launcher ignores " +
              "it and follows the user's languages. Write a tag such as de or de-AT.");
      return;
    }
    const bool found = std::any_of(chain.begin(), chain.end(),
                                   [&](const std::string& t) { return languages_.count(t) > 0; });
    if (!found) {
      warning("[LANGUAGE] Use is \"" + use + "\", but there is no " + FilePath(chain.front()) +
              (chain.size() > 1 ? " nor a file of its parent languages" : "") +
              ": the launcher follows the user's languages. Add the file.");
    }
  }

  void checkPictures() {
    std::set<std::string> used;  // every tag some language's chain searches, upper-cased
    for (const auto& [tag, language] : languages_) {
      for (const std::string& t : LanguageTagChain(tag)) used.insert(UpperCaseName(t));
    }
    for (const std::string& sub : folder_.subfolders(skinFolder_)) {
      if (!IsLanguageTag(sub) || used.count(UpperCaseName(sub))) continue;
      warning(skinFolder_ + sub + " holds pictures for the language \"" + sub + "\", which has " +
              "no language file: the launcher never shows them. Add " + FilePath(sub) +
              " or remove the folder.");
    }
    for (const auto& [tag, language] : languages_) {
      if (!language.rightToLeft()) continue;
      const std::vector<std::string> chain = LanguageTagChain(tag);
      const bool ownMain = std::any_of(chain.begin(), chain.end(), [&](const std::string& t) {
        return folder_.find(skinFolder_ + t + "\\" + mw::kGlyphFile).has_value();
      });
      if (!ownMain) {
        warning(FilePath(tag) + " is laid out right to left, but the skin has no " +
                mw::kGlyphFile + " of its own for it (" + skinFolder_ + tag + "\\" +
                mw::kGlyphFile + "): the buttons move to their mirrored places over pictures " +
                "drawn left to right. Draw the window for it.");
      }
    }
  }

  const FolderView& folder_;
  const ConfigStore& settings_;
  const std::string& skinFolder_;
  FolderReport& report_;
  std::map<std::string, Language> languages_;  // every readable file, by tag
};

}  // namespace

void CheckLanguageFiles(const FolderView& folder, const ConfigStore& settings,
                        const std::string& skinFolder, FolderReport& report) {
  LanguageChecker(folder, settings, skinFolder, report).run();
}

std::string FormatLanguageTexts(const FolderView& folder, const ConfigStore& settings,
                                const std::string& tag) {
  if (!IsLanguageTag(tag)) throw std::invalid_argument("\"" + tag + "\" is no language tag");
  const Language language = ChooseLanguage(tag, {}, ReaderOf(folder), DecodeWindows1252);
  std::string out = language.builtIn()
                        ? "Language: built-in English (no " + FilePath(tag) + " nor a parent's)\n"
                        : "Language: " + language.tag() + " (" + FilePath(language.tag()) +
                              (language.name().empty() ? "" : ", " + language.name()) +
                              (language.rightToLeft() ? ", right to left" : ", left to right") +
                              ")\n";
  for (const mw::LanguageText& text : mw::kLanguageTexts) {
    out += std::string(text.key) + ": " +
           language.text(kLanguageTextSection, text.key, text.english) + "\n";
  }
  for (const mw::ButtonLayout& button : mw::kButtons) {
    // A language's name for a button, else the settings', else the launcher's own.
    const std::string setting = ReadValue(settings, kAccessibilitySection, button.name, "");
    out += std::string(kAccessibilitySection) + " " + button.name + ": " +
           language.text(
               kAccessibilitySection, button.name,
               setting.empty() ? button.accessibleName : SettingText(setting, DecodeWindows1252)) +
           "\n";
  }
  return out;
}

}  // namespace ss::tool
