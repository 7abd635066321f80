// The main window's fixed data: controls, both layouts, skin files, menus, tools, hover texts.
// Platform-free, so that the configuration tool checks launcher folders by the same tables.
#pragma once

#include <array>
#include <cstdint>

namespace ss::main_window {

inline constexpr int kDesignClientWidth = 444;
inline constexpr int kDesignClientHeight = 217;

// The skin folder is ExeFolder + kSkinRoot + the ResFolder setting.
inline constexpr const char* kSkinRoot = "sounds\\";
inline constexpr const char* kGlyphFile = "main.bmp";
// Pixels of this colour are cut out of the window (0x00BBGGRR: fuchsia).
inline constexpr std::uint32_t kTransparentColor = 0xFF00FF;
// The Skin setting that selects the alternative layout.
inline constexpr int kAlternativeSkin = 1;

inline constexpr const char* kFontName = "Tahoma";
inline constexpr int kFontHeight = -11;

// The ten image buttons in creation order, which is also their tab order and the order of
// their skin files.
// Tables read best one row a line.
// clang-format off
enum class ButtonId {
  Min, Close, One, Two, Three, MoreTools, Help, About, Home, MoreFreeTools,
};

struct ButtonLayout {
  ButtonId id;
  const char* name;
  // What a screen reader calls it; a setting in [ACCESSIBILITY] named like the control may
  // give another name.
  const char* accessibleName;
  int left, top, width, height;
  int tabOrder;
  // Normal, mouse-on and pressed pictures.
  std::array<const char*, 3> skinFiles;
  // Position in the alternative layout.
  int altLeft, altTop;
};

inline constexpr std::array<ButtonLayout, 10> kButtons{{
    {ButtonId::Min, "ButtonMin", "Minimize", 372, 7, 29, 19, 0, {"min1.bmp", "min2.bmp", "min3.bmp"}, 481, 10},
    {ButtonId::Close, "ButtonClose", "Close", 399, 7, 30, 19, 1, {"close1.bmp", "close2.bmp", "close3.bmp"}, 533, 11},
    {ButtonId::One, "Button1", "File Disc Writer", 20, 40, 99, 108, 2, {"1.bmp", "2.bmp", "3.bmp"}, 446, 41},
    {ButtonId::Two, "Button2", "Video Disc Writer", 121, 40, 99, 108, 3, {"4.bmp", "5.bmp", "6.bmp"}, 406, 216},
    {ButtonId::Three, "Button3", "Music Discs", 225, 40, 99, 108, 4, {"7.bmp", "8.bmp", "9.bmp"}, 251, 294},
    {ButtonId::MoreTools, "ButtonMoreTools", "More Tools", 323, 40, 99, 108, 5, {"10.bmp", "11.bmp", "12.bmp"}, 43, 299},
    {ButtonId::Help, "ButtonHelp", "Help", 30, 182, 82, 33, 6, {"help1.bmp", "help2.bmp", "help3.bmp"}, 501, 11},
    {ButtonId::About, "ButtonAbout", "About", 112, 182, 79, 33, 7, {"about1.bmp", "about2.bmp", "about3.bmp"}, 516, 11},
    {ButtonId::Home, "ButtonHome", "Home Page", 191, 182, 78, 33, 8, {"top1.bmp", "top2.bmp", "top3.bmp"}, 0, 0},
    {ButtonId::MoreFreeTools, "ButtonMoreFreeTools", "More Free Tools", 269, 182, 139, 33, 9, {"bottom1.bmp", "bottom2.bmp", "bottom3.bmp"}, 437, 395},
}};
// clang-format on

// The info line: a white copy one pixel right of and below the dark one, painted first.
struct LabelLayout {
  const char* name;
  int left, top, width, height;
  std::uint32_t color;  // 0x00BBGGRR
};
inline constexpr LabelLayout kLabelInfo2{"LabelInfo2", 17, 161, 60, 13, 0xFFFFFF};
inline constexpr LabelLayout kLabelInfo1{"LabelInfo1", 16, 160, 60, 13, 0x2C2C2D};
inline constexpr const char* kDesignInfoCaption = "Welcome to!";
// In the alternative layout LabelInfo1 becomes a wrapped white text box and LabelInfo2 hides.
inline constexpr LabelLayout kAltLabelInfo1{"LabelInfo1", 184, 120, 217, 57, 0xFFFFFF};

// The 31 skin files in loading order: the glyph, then three pictures per button.
inline constexpr int kSkinFileCount = 1 + 3 * static_cast<int>(kButtons.size());

// The suite's programs beside the launcher.
inline constexpr const char* kCompanionProgram = "kestrel.exe";

struct MenuItem {
  const char* name;
  const char* caption;     // "-" for a separator
  std::uint16_t shortcut;  // key code in the low byte plus 0x4000 for Ctrl; 0 for none
  const char* program;     // started from the launcher's folder; nullptr for separators
};

inline constexpr std::array<MenuItem, 8> kMoreToolsMenu{{
    {"Menu3", "Image Writer", 0x4000 | '1', "ImgWrite.exe"},
    {"Menu4", "Image Ripper", 0x4000 | '2', "ImgRip.exe"},
    {"Menu5", "Image Maker", 0x4000 | '3', "ImgMake.exe"},
    {"N1", "-", 0, nullptr},
    {"FileDiscWriter1", "File Disc Writer", 0x4000 | '4', "FileWrite.exe"},
    {"N2", "-", 0, nullptr},
    {"Menu6", "Media Wiper", 0x4000 | '5', "MediaWipe.exe"},
    {"Menu7", "Drive Probe", 0x4000 | '6', "DrvProbe.exe"},
}};

inline constexpr std::array<MenuItem, 2> kAudioCdMenu{{
    {"Menu1", "Music Disc Writer", 0, "MusicWrite.exe"},
    {"Menu2", "Music Track Ripper", 0, "TrackRip.exe"},
}};

inline constexpr const char* kButton1Program = "FileWrite.exe";
inline constexpr const char* kButton2Program = "VidWrite.exe";

// Every program the launcher may start, for checking a launcher folder.
inline constexpr std::array<const char*, 10> kAllPrograms{
    "FileWrite.exe", "VidWrite.exe", "MusicWrite.exe", "TrackRip.exe", "ImgWrite.exe",
    "ImgRip.exe",    "ImgMake.exe",  "MediaWipe.exe",  "DrvProbe.exe", "kestrel.exe"};

// Hover texts of the four big buttons.
inline constexpr const char* kButton1Hover =
    "Turn the tracks of a music disc into sound files such as WAV, MP3 or WMA.";
inline constexpr const char* kButton2Hover =
    "Write a music disc that plays in any ordinary disc player.";
inline constexpr const char* kButton3Hover =
    "Write video discs (VCD, SVCD, DVD-Video) from your video files and folders.";
inline constexpr const char* kMoreToolsHover =
    "File Disc Writer, Media Wiper, Drive Probe, Image Maker, Image Writer, Image Ripper...";

// The texts a language file translates in its [TEXT] section, by key, with the built-in English
// that serves when no file has the key; {title}, {year}, {copyright} and {version} are filled in
// when shown.
struct LanguageText {
  const char* key;
  const char* english;
};
inline constexpr LanguageText kWelcomeText{"Welcome", "Welcome to {title}!"};
inline constexpr LanguageText kAboutCaptionText{"AboutCaption", "About {title}"};
inline constexpr LanguageText kAboutCopyrightText{"AboutCopyright",
                                                  "Copyright (C) {year} {copyright}"};
inline constexpr LanguageText kAboutOkText{"AboutOK", "OK"};
// Every key: the welcome, the big buttons' info texts (by control), the menu items (by item),
// the About dialog's.
inline constexpr std::array<LanguageText, 16> kLanguageTexts{{
    kWelcomeText,
    {"Button1", kButton1Hover},
    {"Button2", kButton2Hover},
    {"Button3", kButton3Hover},
    {"ButtonMoreTools", kMoreToolsHover},
    {kAudioCdMenu[0].name, kAudioCdMenu[0].caption},
    {kAudioCdMenu[1].name, kAudioCdMenu[1].caption},
    {kMoreToolsMenu[0].name, kMoreToolsMenu[0].caption},
    {kMoreToolsMenu[1].name, kMoreToolsMenu[1].caption},
    {kMoreToolsMenu[2].name, kMoreToolsMenu[2].caption},
    {kMoreToolsMenu[4].name, kMoreToolsMenu[4].caption},
    {kMoreToolsMenu[6].name, kMoreToolsMenu[6].caption},
    {kMoreToolsMenu[7].name, kMoreToolsMenu[7].caption},
    kAboutCaptionText,
    kAboutCopyrightText,
    kAboutOkText,
}};

}  // namespace ss::main_window
