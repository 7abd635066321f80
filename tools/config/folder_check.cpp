#include "tools/config/folder_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string_view>

#include "config/config_file.h"
#include "config/config_store.h"
#include "config/global_vars.h"
#include "config/parse_integer.h"
#include "core/error_text.h"
#include "core/errors.h"
#include "core/image_header.h"
#include "core/unicode.h"
#include "shell/paths.h"
#include "tools/config/config_tool.h"
#include "tools/config/folder_view.h"
#include "tools/config/language_check.h"
#include "tools/config/skin_variants.h"
#include "tools/config/halo_check.h"
#include "ui/main/form_main_tables.h"
#include "ui/main/settings_folder.h"

namespace ss::tool {

int FolderReport::count(Severity severity) const {
  return static_cast<int>(std::count_if(problems.begin(), problems.end(),
                                        [&](const Problem& p) { return p.severity == severity; }));
}

namespace {

namespace mw = ss::main_window;

constexpr const char* kIconFile = "icon.ico";
// The clear settings file that the release package ships and the guide packs.
constexpr const char* kSampleSettings = "settings.ini";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The longest address that Windows promises to handle (INTERNET_MAX_URL_LENGTH), in UTF-16
// code units; Wine's shell already fails on far shorter ones.
constexpr size_t kLongestLink = 2083;

// What the launcher does when its start-up fails, with the error text it shows, if known.
std::string StartStops(const std::string& saying = "") {
  return std::string("the launcher will stop at once with an \"Application Error\" box") +
         (saying.empty() ? "" : " saying \"" + saying + "\"") + " and show no window";
}

std::string Size(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

bool HasSystemSection(const ConfigStore& store) {
  const std::vector<ConfigSection> sections = store.sections();
  return std::any_of(sections.begin(), sections.end(),
                     [](const ConfigSection& s) { return SameName(s.name, kSystemSection); });
}

enum class Layout { Design, Alternative, Unknown };

// One of the 31 skin files, in loading order: the glyph, then three pictures per button.
struct SkinFile {
  const char* name;
  int button;  // index in kButtons, -1 for the glyph
  int look;    // 0 normal, 1 mouse-on, 2 pressed
};

std::vector<SkinFile> SkinFiles() {
  std::vector<SkinFile> files{{mw::kGlyphFile, -1, 0}};
  for (size_t b = 0; b < mw::kButtons.size(); ++b) {
    for (int look = 0; look < 3; ++look) {
      files.push_back({mw::kButtons[b].skinFiles[look], static_cast<int>(b), look});
    }
  }
  return files;
}

const char* ButtonName(mw::ButtonId id) {
  for (const mw::ButtonLayout& b : mw::kButtons) {
    if (b.id == id) return b.name;
  }
  return "";
}

// Who starts a program, from the launcher's own tables.
std::vector<std::string> ProgramUsers(std::string_view program) {
  std::vector<std::string> users;
  if (SameName(program, mw::kButton1Program)) users.push_back(ButtonName(mw::ButtonId::One));
  if (SameName(program, mw::kButton2Program)) users.push_back(ButtonName(mw::ButtonId::Two));
  const auto menu = [&](const auto& items, mw::ButtonId under) {
    for (const mw::MenuItem& item : items) {
      if (item.program && SameName(program, item.program)) {
        users.push_back(std::string("the menu item ") + Quoted(item.caption) + " of " +
                        ButtonName(under));
      }
    }
  };
  menu(mw::kAudioCdMenu, mw::ButtonId::Three);
  menu(mw::kMoreToolsMenu, mw::ButtonId::MoreTools);
  return users;
}

std::string JoinAnd(const std::vector<std::string>& parts) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += i + 1 == parts.size() ? " and " : ", ";
    out += parts[i];
  }
  return out;
}

// The links the launcher hands to the shell, and what the user clicks to open them.
struct LinkUse {
  const char* key;
  std::string users;
};

std::vector<LinkUse> LinkUses() {
  return {
      {SettingOf(&TGlobalVars::HelpHowTosTutorialVideosLink).key, ButtonName(mw::ButtonId::Help)},
      {SettingOf(&TGlobalVars::HelpHomePageLink).key,
       std::string(ButtonName(mw::ButtonId::Home)) + " and the About dialog's web link"},
      {SettingOf(&TGlobalVars::HelpMoreFreeToolsLink).key, ButtonName(mw::ButtonId::MoreFreeTools)},
      {SettingOf(&TGlobalVars::HelpSupportLink).key, "the About dialog's support link"}};
}

// The names of the settings that the checks speak of.
const std::string kNameKey = TitleSetting().key;
const std::string kSkinKey = SettingOf(&TGlobalVars::Skin).key;
const std::string kResFolderKey = SettingOf(&TGlobalVars::ResFolder).key;

class Checker {
 public:
  Checker(const std::string& dir, const SignatureVerifier& verify)
      : dir_(dir), folder_(dir), verify_(verify) {}

  FolderReport run() {
    report_.facts.push_back("Folder: " + dir_);
    // Windows meets the exe's signature before the launcher reads anything.
    CheckLauncherSignature(folder_, verify_, report_);
    const bool configured = checkConfiguration();
    checkIcon();
    if (configured) checkSkin();
    CheckLanguageFiles(folder_, store_, configured ? skinFolder_ : std::string(), report_);
    checkPrograms();
    if (configured) checkLinks();
    return std::move(report_);
  }

 private:
  void error(std::string text) { report_.problems.push_back({Severity::Error, std::move(text)}); }
  void warning(std::string text) {
    report_.problems.push_back({Severity::Warning, std::move(text)});
  }

  // A setting's text as the launcher reads it; legacy text as Windows-1252 decodes it, the code
  // page of most settings written so far.
  std::string read(std::string_view key) const {
    return SettingText(ReadValue(store_, kSystemSection, key, ""), DecodeWindows1252);
  }

  std::string packCommand() const {
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    std::string target = dir_;
    if (!target.empty() && target.back() != '/' && target.back() != '\\') target += separator;
    return std::string("suitestart-config pack ") + kSampleSettings + " " + target +
           kConfigFileName;
  }

  // Reads the configuration as the launcher does; false when no settings could be found.
  bool checkConfiguration() {
    const std::string name = kConfigFileName;
    const FileRead file = folder_.read(name);
    const std::string packThem = "pack them with: " + packCommand();
    const std::string packIt = "pack it with: " + packCommand();
    if (file.state == FileRead::Missing || file.state == FileRead::Folder) {
      error(name + (file.state == FileRead::Missing ? " is missing" : " is a folder, not a file") +
            ": " + StartStops() + ". Write the settings in clear text and " + packThem + ".");
      report_.facts.push_back("Skin: not checked, as its folder and layout are settings");
      return false;
    }
    if (file.state == FileRead::Unreadable) {
      error(name + " cannot be read (" + file.error + "): " + StartStops() +
            ". Let every user who starts the launcher read the file.");
      report_.facts.push_back("Skin: not checked, as its folder and layout are settings");
      return false;
    }
    // Clear text saved as UTF-16 and copied in unpacked: all its NUL bytes would say less.
    if (const std::string encoding = Utf16Encoding(file.bytes); !encoding.empty()) {
      error(name + " holds " + encoding +
            " text, which the launcher cannot read: it will find no settings. Keep the clear "
            "text under another name and " +
            packIt + " (pack reads UTF-16 with its byte-order mark).");
      report_.facts.push_back("Skin: not checked, as its folder and layout are settings");
      return false;
    }
    std::string_view text = file.bytes;
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
      // Where it stands as the launcher splits the lines (CR LF, LF or CR end one).
      size_t line = 1, lineStart = 0;
      for (size_t i = 0; i < nul; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= nul || text[i + 1] != '\n'))) {
          ++line;
          lineStart = i + 1;
        }
      }
      const std::string where = name + " holds a 0x00 byte at offset " + std::to_string(nul) +
                                " (line " + std::to_string(line) + ", column " +
                                std::to_string(nul - lineStart + 1) + ")";
      const std::string again = ". Pack the clear text again with: " + packCommand() + ".";
      if (nul > lineStart) {
        error(where + ": the launcher cuts that line there and ignores everything after it" +
              again);
      } else if (text.find_first_not_of('\0', nul) != text.npos) {
        warning(where + ": the launcher ignores everything after it" + again);
      }
    }
    text = text.substr(0, nul);

    // The launcher's own reading, and the one a byte-order mark spoils: the mark stands either
    // in front of the stored text or, packed along with the clear text, complemented in it.
    const ConfigStore asRead = ParseConfigBuffer(text);
    const bool mark =
        text.substr(0, 3) == kByteOrderMark || UnscrambleLine(text.substr(0, 3)) == kByteOrderMark;
    const std::string_view unmarked = mark ? text.substr(3) : text;
    const ConfigStore clear = ParseConfigLines(SplitTextLines(unmarked));
    const ConfigStore scrambled = ParseConfigBuffer(unmarked);
    // Without settings the skin's number is the empty text, which the launcher cannot convert.
    const std::string noSettings = "no title, and the error " +
                                   Quoted(ErrorBoxText(NotAnIntegerMessage(""))) +
                                   " instead of its skin";
    if (HasSystemSection(asRead)) {
      store_ = asRead;
      if (mark) {
        warning(name +
                " starts with a UTF-8 byte-order mark, which hides its first line from "
                "the launcher; that line is no setting now, but save the clear text "
                "without the mark and " +
                packIt + ".");
      }
    } else if (HasSystemSection(clear)) {
      store_ = clear;
      error(name +
            " holds clear text, but the launcher reads it scrambled and will find no "
            "settings in it: " +
            noSettings + ". Keep the clear text under another name and " + packIt +
            ". The checks below use the settings of the clear text.");
    } else if (mark && HasSystemSection(scrambled)) {
      store_ = scrambled;
      error(name +
            " starts with a UTF-8 byte-order mark: the launcher loses the first line, "
            "its [SYSTEM] header, and finds no settings: " +
            noSettings + ". Save the clear text without the mark (or let the tool drop it) and " +
            packIt + ".");
    } else {
      error(name + " has no [SYSTEM] section: the launcher will find no settings: " + noSettings +
            ". Write the settings under a [SYSTEM] header and " + packThem + ".");
      return false;
    }
    checkSettings();
    return true;
  }

  void checkSettings() {
    const std::string name = kConfigFileName;
    const std::vector<ConfigSection> sections = store_.sections();
    const auto systems =
        std::count_if(sections.begin(), sections.end(),
                      [](const ConfigSection& s) { return SameName(s.name, kSystemSection); });
    if (systems > 1) {
      warning(name + " has " + std::to_string(systems) +
              " [SYSTEM] sections: the launcher reads only the last one and ignores every "
              "setting in the others. Merge them into one.");
    }
    checkSettingNames();
    checkAccessibleNames();
    const std::string title = read(kNameKey);
    if (title.empty()) {
      warning(kNameKey +
              " is empty: the launcher's window, error boxes and About dialog will show no "
              "product name, and its welcome text reads \"Welcome to !\". Set " +
              kNameKey + " to the product's name.");
    }
    const std::string heldTitle = HeldTitle(store_, DecodeWindows1252);
    checkFolderName(heldTitle);
    checkEncodings();
    const std::string skin = read(kSkinKey);
    std::int32_t skinValue = 0;
    try {
      skinValue = ParseInteger(skin);
      layout_ = skinValue == mw::kAlternativeSkin ? Layout::Alternative : Layout::Design;
    } catch (const EConvertError& conversion) {
      error(kSkinKey +
            (skin.empty() ? " is missing or empty" : " is " + Quoted(skin) + ", not an integer") +
            ": the launcher will show the error " + Quoted(ErrorBoxText(conversion.message())) +
            " and start without its skin, links and companion program. Set " + kSkinKey +
            "=0 for the design layout or " + kSkinKey + "=1 for the alternative layout.");
    }
    resFolder_ = read(kResFolderKey);
    skinFolder_ = WithTrailingBackslash(mw::kSkinRoot + resFolder_);
    report_.facts.push_back("Product: " + Quoted(heldTitle));
    report_.facts.push_back(layout_ == Layout::Unknown
                                ? "Layout: unknown (" + kSkinKey + " " + Quoted(skin) +
                                      " is not an integer)"
                                : std::string("Layout: ") +
                                      (layout_ == Layout::Alternative ? "alternative" : "design") +
                                      " (" + kSkinKey + "=" + std::to_string(skinValue) + ")");
    report_.facts.push_back("Skin folder: " + skinFolder_ + " (" + kResFolderKey + "=" +
                            resFolder_ + ")");
  }

  // A misspelt setting name leaves its setting empty without a word from the launcher.
  void checkSettingNames() {
    const std::vector<std::string> known = SettingKeys();
    const std::vector<ConfigSection> sections = store_.sections();
    const ConfigSection* system = nullptr;
    for (const ConfigSection& s : sections) {
      if (SameName(s.name, kSystemSection)) system = &s;
    }
    for (const std::string& line : system->lines) {
      const size_t equals = line.find('=');
      if (equals == std::string::npos) continue;
      const std::string key = line.substr(0, equals);
      if (std::none_of(known.begin(), known.end(),
                       [&](const std::string& k) { return SameName(k, key); })) {
        warning("[SYSTEM] sets " + Quoted(key) +
                ", a name the launcher does not know, so it is ignored. Check its spelling; "
                "the settings are " +
                JoinAnd(known) + ".");
      }
    }
  }

  // [ACCESSIBILITY] names buttons by their controls; another name renames nothing.
  void checkAccessibleNames() {
    std::vector<std::string> buttons;
    for (const mw::ButtonLayout& b : mw::kButtons) buttons.push_back(b.name);
    for (const auto& [key, value] : SectionEntries(store_, kAccessibilitySection)) {
      if (std::none_of(buttons.begin(), buttons.end(),
                       [&](const std::string& b) { return SameName(b, key); })) {
        warning(std::string("[") + kAccessibilitySection + "] names " + Quoted(key) +
                ", which is no button of the launcher, so screen readers never hear it. The "
                "buttons are " +
                JoinAnd(buttons) + ".");
      } else if (MixesEncodings(value)) {
        warning(std::string("[") + kAccessibilitySection + "] " + key +
                " mixes UTF-8 with legacy code-page text: screen readers will read it garbled. "
                "Save the clear settings file as UTF-8 and pack it again with: " +
                packCommand() + ".");
      }
    }
  }

  // The per-user data folder is named after the title, with what a folder name cannot hold
  // replaced by spaces.
  void checkFolderName(const std::string& title) {
    const std::string folder = SettingsFolderName(title);
    if (folder == title) return;
    const std::string named =
        ": the launcher names its per-user data folder (in the user's "
        "application-data folder) " +
        Quoted(folder) + " instead";
    if (title.find_first_not_of('.') == std::string::npos) {
      warning(kNameKey + " " + Quoted(title) + " is made of dots only, which cannot name a folder" +
              named + ". Give the product a name with letters in it.");
      return;
    }
    // SettingsFolderName replaces single bytes, all of them ASCII.
    std::vector<std::string> replaced;
    for (size_t i = 0; i < title.size(); ++i) {
      if (folder[i] == title[i]) continue;
      char shown[16];
      if (static_cast<unsigned char>(title[i]) < 0x20) {
        std::snprintf(shown, sizeof shown, "U+%04X", static_cast<unsigned>(title[i]));
      } else {
        std::snprintf(shown, sizeof shown, title[i] == '"' ? "'%c'" : "\"%c\"", title[i]);
      }
      if (std::find(replaced.begin(), replaced.end(), shown) == replaced.end()) {
        replaced.push_back(shown);
      }
    }
    warning(kNameKey + " holds " + JoinAnd(replaced) + ", which a folder name cannot hold" + named +
            ", with a space for each. Leave them out of " + kNameKey +
            " if that folder name will not do.");
  }

  // A value that is partly UTF-8 and partly legacy text is read as legacy text as a whole.
  void checkEncodings() {
    for (const Setting& setting : kSettings) {
      const std::string bytes = ReadValue(store_, kSystemSection, setting.key, "");
      if (!MixesEncodings(bytes)) continue;
      warning(std::string(setting.key) +
              " mixes UTF-8 with legacy code-page text: the launcher reads it all as legacy "
              "text, so its UTF-8 characters will show garbled (on a Western European system "
              "as " +
              Quoted(DecodeWindows1252(bytes)) +
              "). Save the clear settings file as UTF-8 and pack it again with: " + packCommand() +
              ".");
    }
  }

  void checkIcon() {
    const FileRead file = folder_.read(kIconFile);
    const std::string name = kIconFile;
    const std::string make =
        "Save the product's icon as a Windows icon file (.ico), with images of 16, 32, 48 and "
        "256 pixels.";
    if (file.state == FileRead::Missing || file.state == FileRead::Folder) {
      error(name + (file.state == FileRead::Missing ? " is missing" : " is a folder, not a file") +
            ": " + StartStops() + ". " + make);
    } else if (file.state == FileRead::Unreadable) {
      error(name + " cannot be read (" + file.error + "): " + StartStops() + ".");
    } else {
      try {
        CheckIconFile(file.bytes);
      } catch (const Exception& invalid) {
        error(name + " is not a valid icon" + WhatItIs(file.bytes) + ": " +
              StartStops(ErrorBoxText(invalid.message())) + ". " + make);
      }
    }
  }

  // What the launcher does after its error box when its skin loading stops at file `index`.
  std::string skinLoss(const std::vector<SkinFile>& files, size_t index) const {
    const SkinFile& f = files[index];
    std::string text;
    if (f.button < 0) {
      text += "start as a plain rectangle of " +
              Size(mw::kDesignClientWidth, mw::kDesignClientHeight) +
              " pixels without outline or skin, with no button pictures";
    } else {
      const bool last = f.button + 1 == static_cast<int>(mw::kButtons.size());
      const std::string button = mw::kButtons[f.button].name;
      const std::string after = last ? "" : " every button after it";
      text += "stop loading its skin there: ";
      if (f.look == 0) {
        text +=
            button + (last ? " will have no pictures" : " and" + after + " will have no pictures");
      } else {
        text += button + " will lack its " +
                (f.look == 1 ? "mouse-on and pressed pictures" : "pressed picture") +
                (last ? "" : ", and" + after + " will have no pictures");
      }
    }
    text += layout_ == Layout::Alternative
                ? "; the alternative layout, the welcome text and the companion program are "
                  "skipped"
                : "; the welcome text and the companion program are skipped";
    return text;
  }

  // The size a missing or broken skin file should have, as advice.
  std::string sizeAdvice(const std::vector<SkinFile>& files, size_t index) const {
    const SkinFile& f = files[index];
    if (layout_ == Layout::Design) {
      return f.button < 0
                 ? " (" + Size(mw::kDesignClientWidth, mw::kDesignClientHeight) +
                       " pixels for the design layout)"
                 : " (" + Size(mw::kButtons[f.button].width, mw::kButtons[f.button].height) +
                       " pixels for the design layout)";
    }
    if (layout_ == Layout::Unknown) return "";
    if (f.button < 0) {
      return " (in the alternative layout the window takes its size, which must hold every "
             "button at its position)";
    }
    const std::string button = mw::kButtons[f.button].name;
    if (f.look == 0) return " (its size becomes " + button + "'s size in the alternative layout)";
    const std::string normal = mw::kButtons[f.button].skinFiles[0];
    const std::optional<BitmapSize>& size = sizes_[index - f.look];
    return " (the size of " + normal + (size ? ", " + Size(size->width, size->height) : "") + ")";
  }

  void checkSkin() {
    const std::vector<SkinFile> files = SkinFiles();
    sizes_.assign(files.size(), std::nullopt);
    if (!folder_.isFolder(skinFolder_)) {
      const std::vector<std::string> found = folder_.subfolders(mw::kSkinRoot);
      error("The skin folder " + skinFolder_ + " is missing: the launcher will show the error \"" +
            kCannotOpenFile + " ..." + mw::kGlyphFile +
            "\" and start as a plain rectangle without outline or skin. Add the folder with its " +
            std::to_string(mw::kSkinFileCount) + " bitmaps, or set " + kResFolderKey +
            " to a folder under " + mw::kSkinRoot +
            (found.empty() ? std::string(" (there is none)") : " (found: " + JoinAnd(found) + ")") +
            ".");
      return;
    }
    for (size_t i = 0; i < files.size(); ++i) {
      const std::string path = skinFolder_ + files[i].name;
      const FileRead file = folder_.read(path);
      const std::string consequence =
          "the launcher will show an error box and " + skinLoss(files, i);
      if (file.state == FileRead::Missing || file.state == FileRead::Folder) {
        error(path +
              (file.state == FileRead::Missing ? " is missing" : " is a folder, not a file") +
              ": " + consequence + ". Add the file" + sizeAdvice(files, i) + ".");
        continue;
      }
      if (file.state == FileRead::Unreadable) {
        error(path + " cannot be read (" + file.error + "): " + consequence +
              ". Let every user who starts the launcher read the file.");
        continue;
      }
      try {
        CheckBitmapFile(file.bytes);
        sizes_[i] = BitmapFileSize(file.bytes);
        CheckRunLengthData(path, file.bytes, report_);
        if (i == 0) CheckOutlineSize(path, file.bytes, report_);
      } catch (const Exception& invalid) {
        error(path + " is not a valid bitmap" + WhatItIs(file.bytes) + ": " + consequence +
              ". Save it as a Windows bitmap (.bmp, 24 bits per pixel)" + sizeAdvice(files, i) +
              ".");
      }
    }
    if (layout_ == Layout::Design) checkDesignPlacement(files);
    if (layout_ == Layout::Alternative) checkAlternativePlacement(files);
    std::vector<BaseSkinFile> base;
    for (size_t i = 0; i < files.size(); ++i) {
      base.push_back({files[i].name, sizes_[i], skinLoss(files, i)});
    }
    CheckSkinVariants(folder_, skinFolder_, base, report_);
    CheckHalo(folder_, skinFolder_, sizes_[0], report_);
  }

  // The part of main.bmp that the window shows: all of it but the rightmost column, which the
  // outline builder always cuts away.
  bool insideGlyph(int left, int top, int width, int height) const {
    return left >= 0 && top >= 0 && left + width <= glyph_.width - 1 &&
           top + height <= glyph_.height;
  }

  std::string outsideText(const std::string& what, int left, int top, int width, int height,
                          const char* layout) const {
    return what + " lies at (" + std::to_string(left) + ", " + std::to_string(top) + ") with " +
           Size(width, height) + " pixels in the " + layout +
           " layout, outside the window: " + mw::kGlyphFile + " is " +
           Size(glyph_.width, glyph_.height) +
           " and the window shows all of it but its rightmost column, so the part outside will "
           "be invisible and cannot be clicked. Make " +
           mw::kGlyphFile + " at least " +
           Size(std::max(glyph_.width, left + width + 1), std::max(glyph_.height, top + height)) +
           " pixels.";
  }

  void checkDesignPlacement(const std::vector<SkinFile>& files) {
    if (!sizes_[0]) return;
    glyph_ = *sizes_[0];
    for (size_t b = 0; b < mw::kButtons.size(); ++b) {
      const mw::ButtonLayout& button = mw::kButtons[b];
      if (!insideGlyph(button.left, button.top, button.width, button.height)) {
        error(outsideText(button.name, button.left, button.top, button.width, button.height,
                          "design"));
      }
    }
    // In the design layout the buttons keep their size and draw pictures from their corner.
    for (size_t i = 1; i < files.size(); ++i) {
      const mw::ButtonLayout& button = mw::kButtons[files[i].button];
      if (!sizes_[i]) continue;
      const BitmapSize s = *sizes_[i];
      if (s.width == button.width && s.height == button.height) continue;
      const bool cut = s.width > button.width || s.height > button.height;
      warning(skinFolder_ + files[i].name + " is " + Size(s.width, s.height) + " pixels, but " +
              button.name + " is " + Size(button.width, button.height) +
              " in the design layout: the picture " +
              (cut ? "will be cut off at the button's edges" : "will not cover the whole button") +
              ". Make it " + Size(button.width, button.height) + " pixels.");
    }
  }

  void checkAlternativePlacement(const std::vector<SkinFile>& files) {
    if (!sizes_[0]) return;
    glyph_ = *sizes_[0];
    for (size_t i = 1; i < files.size(); i += 3) {
      const mw::ButtonLayout& button = mw::kButtons[files[i].button];
      // The alternative layout sizes each button to its normal picture.
      if (!sizes_[i]) continue;
      const BitmapSize normal = *sizes_[i];
      if (!insideGlyph(button.altLeft, button.altTop, normal.width, normal.height)) {
        error(outsideText(std::string(button.name) + " (the size of " + files[i].name + ")",
                          button.altLeft, button.altTop, normal.width, normal.height,
                          "alternative"));
      }
      for (size_t look = 1; look < 3; ++look) {
        if (!sizes_[i + look]) continue;
        const BitmapSize s = *sizes_[i + look];
        if (s.width == normal.width && s.height == normal.height) continue;
        const bool cut = s.width > normal.width || s.height > normal.height;
        warning(
            skinFolder_ + files[i + look].name + " is " + Size(s.width, s.height) +
            " pixels, but " + files[i].name + ", which sizes " + button.name +
            " in the alternative layout, is " + Size(normal.width, normal.height) +
            ": the picture " +
            (cut ? "will be cut off at the button's edges" : "will not cover the whole button") +
            ". Make both the same size.");
      }
    }
  }

  void checkPrograms() {
    for (const char* program : mw::kAllPrograms) {
      const FileRead file = folder_.read(program);
      const bool companion = SameName(program, mw::kCompanionProgram);
      const std::string what =
          companion ? std::string(program) + " (the companion program)" : std::string(program);
      const std::string effect =
          companion ? "nothing will start after the launcher's window appears"
                    : JoinAnd(ProgramUsers(program)) + " will do nothing when clicked";
      if (file.state == FileRead::Read && file.bytes.rfind("MZ", 0) == 0) continue;
      if (file.state == FileRead::Read) {
        warning(what + " is not a Windows program: " + effect +
                ". Copy the real program into the folder under this name.");
      } else if (file.state == FileRead::Unreadable) {
        warning(what + " cannot be read (" + file.error + "): " + effect +
                ". Let every user who starts the launcher read it.");
      } else {
        warning(what + (file.state == FileRead::Missing ? " is missing" : " is a folder") + ": " +
                effect + ". Copy the program into the folder under this name.");
      }
    }
  }

  void checkLinks() {
    for (const LinkUse& link : LinkUses()) {
      const std::string address = read(link.key);
      if (address.empty()) {
        warning(std::string(link.key) + " is empty: " + link.users +
                " will hand an empty address to the shell, which opens nothing useful. Set it to "
                "a web address or a mailto: link.");
        continue;
      }
      const size_t length = Utf8ToUtf16(address).size();
      if (length <= kLongestLink) continue;
      warning(std::string(link.key) + " is " + std::to_string(length) +
              " characters long, but Windows promises to open addresses of up to " +
              std::to_string(kLongestLink) + " characters only: " + link.users +
              " may open nothing when clicked. Shorten it, for instance to a short address "
              "that leads to it.");
    }
  }

  std::string dir_;
  FolderView folder_;
  const SignatureVerifier& verify_;
  FolderReport report_;
  ConfigStore store_;
  Layout layout_ = Layout::Unknown;
  std::string resFolder_;
  std::string skinFolder_;
  std::vector<std::optional<BitmapSize>> sizes_;
  BitmapSize glyph_;
};

}  // namespace

FolderReport CheckLauncherFolder(const std::string& dir, const SignatureVerifier& verify) {
  return Checker(dir, verify).run();
}

std::string FormatFolderReport(const FolderReport& report) {
  std::string out;
  for (const std::string& fact : report.facts) out += fact + "\n";
  for (const Problem& problem : report.problems) {
    out += (problem.severity == Severity::Error ? "error: " : "warning: ") + problem.text + "\n";
  }
  const int errors = report.count(Severity::Error);
  const int warnings = report.count(Severity::Warning);
  out += std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") +
         std::to_string(warnings) + (warnings == 1 ? " warning: " : " warnings: ");
  out += report.startsCleanly() ? "the launcher would start cleanly.\n"
                                : "the launcher would not start cleanly.\n";
  return out;
}

}  // namespace ss::tool
