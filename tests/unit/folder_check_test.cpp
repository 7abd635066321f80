#include "tools/config/folder_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>

#include <unistd.h>

#include "pe_image.h"
#include "scramble.h"
#include "solid_bitmap.h"
#include "tools/config/config_tool.h"
#include "tools/config/language_check.h"
#include "ui/main/form_main_tables.h"

namespace ss::tool {
namespace {

namespace fs = std::filesystem;
namespace mw = ss::main_window;

constexpr const char* kDesignConfig =
    "[SYSTEM]\nName=Test Suite\nVersion=1\nSkin=0\nResFolder=blue\n"
    "HelpHowTosTutorialVideosLink=https://example.com/t\nHelpHomePageLink=https://example.com\n"
    "HelpMoreFreeToolsLink=https://example.com/f\nHelpSupportLink=mailto:s@example.com\n";

constexpr std::uint32_t kKey = 0xFF00FF;

// A 24-bit bottom-up bitmap file, black or of colour(x, y) (0x00BBGGRR, y from the top).
std::string Bmp(int width, int height, std::function<std::uint32_t(int, int)> colour = {}) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const std::uint32_t pixels = static_cast<std::uint32_t>(stride * height);
  std::string s = "BM";
  const auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(54 + pixels, 4), put(0, 4), put(54, 4);
  put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2), put(0, 4), put(pixels, 4);
  put(0, 4), put(0, 4), put(0, 4), put(0, 4);
  if (!colour) return s + std::string(pixels, '\0');
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = colour(x, y);
      put((c >> 16) | (c & 0xFF00) | (c & 0xFF) << 16, 3);
    }
    put(0, stride - width * 3);
  }
  return s;
}

// An 8-bit run-length bitmap file of one black palette entry and the runs `data`, which start
// at byte 58.
std::string RleBmp(int width, int height, const std::string& data) {
  std::string s = "BM";
  const auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  const auto size = static_cast<std::uint32_t>(data.size());
  put(58 + size, 4), put(0, 4), put(58, 4);
  put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(8, 2), put(1, 4), put(size, 4);
  put(0, 4), put(0, 4), put(1, 4), put(0, 4), put(0, 4);
  return s + data;
}

// A one-image icon file whose directory is well formed.
std::string Icon() {
  std::string s("\0\0\1\0\1\0\x20\x20\0\0\1\0\x20\0\x28\0\0\0\x16\0\0\0", 22);
  return s + std::string(40, '\0');
}

// A complete launcher folder in the design layout with the skin in sounds/blue; each test
// breaks what it is about. `name` maps each written path, to test letter case.
class LauncherDir {
 public:
  explicit LauncherDir(std::function<std::string(std::string)> name = {})
      : name_(name ? std::move(name) : [](std::string s) { return s; }) {
    static std::atomic<int> serial{0};
    root_ = fs::temp_directory_path() /
            ("ss-check-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    fs::remove_all(root_);
    fs::create_directories(root_);
    config(kDesignConfig);
    write("icon.ico", Icon());
    write("sounds/blue/main.bmp", Bmp(mw::kDesignClientWidth, mw::kDesignClientHeight));
    for (const mw::ButtonLayout& b : mw::kButtons) {
      for (const char* file : b.skinFiles) {
        write(std::string("sounds/blue/") + file, Bmp(b.width, b.height));
      }
    }
    for (const char* program : mw::kAllPrograms) write(program, "MZ" + std::string(62, '\0'));
    write(kLauncherExe, test::PeImage(test::CertificateEntry()));
  }
  ~LauncherDir() { fs::remove_all(root_); }

  std::string path() const { return root_.string(); }
  void write(const std::string& relative, const std::string& bytes) {
    const fs::path at = root_ / name_(relative);
    fs::create_directories(at.parent_path());
    std::ofstream(at, std::ios::binary | std::ios::trunc) << bytes;
  }
  void remove(const std::string& relative) { fs::remove_all(root_ / name_(relative)); }
  void config(const std::string& clear) { write("tarvix.dll", PackClearText(clear).bytes); }
  // Every skin file drawn at `scale` per cent, its sides rounded, into the variant folder.
  void variant(int scale) {
    const auto at = [scale](int length) { return (length * scale + 50) / 100; };
    const std::string folder = "sounds/blue/" + std::to_string(scale) + "/";
    write(folder + "main.bmp", Bmp(at(mw::kDesignClientWidth), at(mw::kDesignClientHeight)));
    for (const mw::ButtonLayout& b : mw::kButtons) {
      for (const char* file : b.skinFiles) write(folder + file, Bmp(at(b.width), at(b.height)));
    }
  }
  // The alternative layout's configuration with a glyph that holds every button.
  void alternative() {
    std::string clear = kDesignConfig;
    clear.replace(clear.find("Skin=0"), 6, "Skin=1");
    config(clear);
    write("sounds/blue/main.bmp", Bmp(600, 430));
  }
  FolderReport check() {
    return CheckLauncherFolder(path(), [this](const fs::path& exe) {
      verified.push_back(exe);
      return verdict;
    });
  }

  // What the stand-in verifier answers, and the files it was asked about.
  SignatureCheck verdict{SignatureCheck::Verified, "CN=Test Signer", ""};
  std::vector<fs::path> verified;

 private:
  std::function<std::string(std::string)> name_;
  fs::path root_;
};

std::vector<std::string> Texts(const FolderReport& report, Severity severity) {
  std::vector<std::string> texts;
  for (const Problem& p : report.problems) {
    if (p.severity == severity) texts.push_back(p.text);
  }
  return texts;
}
std::vector<std::string> Errors(const FolderReport& r) {
  return Texts(r, Severity::Error);
}
std::vector<std::string> Warnings(const FolderReport& r) {
  return Texts(r, Severity::Warning);
}

bool Has(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

std::string Dump(const FolderReport& report) {
  return FormatFolderReport(report);
}

TEST(CheckLauncherFolder, CompleteFolderStartsCleanlyInEitherLayout) {
  LauncherDir dir;
  FolderReport report = dir.check();
  EXPECT_TRUE(report.problems.empty()) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Layout: design (Skin=0)")) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Skin folder: sounds\\blue\\ (ResFolder=blue)"));
  dir.alternative();
  report = dir.check();
  EXPECT_TRUE(report.problems.empty()) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Layout: alternative (Skin=1)")) << Dump(report);
}

TEST(CheckLauncherFolder, FindsFilesWithoutRegardToCaseAsWindowsDoes) {
  LauncherDir upper([](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
  });
  const FolderReport report = upper.check();
  EXPECT_TRUE(report.problems.empty()) << Dump(report);
  // A name that differs by more than case is still missing.
  upper.remove("SOUNDS/BLUE/7.BMP");
  upper.write("SOUNDS/BLUE/7.BMP.BAK", Bmp(99, 108));
  EXPECT_TRUE(Has(Errors(upper.check()), "sounds\\blue\\7.bmp is missing"));
}

TEST(CheckConfiguration, MissingFileStopsTheStartAndSaysHowToPackOne) {
  LauncherDir dir;
  dir.remove("tarvix.dll");
  const FolderReport report = dir.check();
  ASSERT_EQ(Errors(report).size(), 1u) << Dump(report);
  EXPECT_TRUE(Has(Errors(report),
                  "tarvix.dll is missing: the launcher will stop at once with an "
                  "\"Application Error\" box and show no window"));
  EXPECT_TRUE(Has(Errors(report), "pack them with: suitestart-config pack settings.ini " +
                                      dir.path() + "/tarvix.dll"));
  // The skin's folder and layout are settings; links too, so neither is reported.
  EXPECT_TRUE(Has(report.facts, "Skin: not checked"));
  EXPECT_TRUE(Warnings(report).empty()) << Dump(report);
  dir.write("tarvix.dll/x", "");
  EXPECT_TRUE(Has(Errors(dir.check()), "tarvix.dll is a folder, not a file"));
}

TEST(CheckConfiguration, ClearTextIsAnErrorButItsSettingsAreStillChecked) {
  LauncherDir dir;
  dir.write("tarvix.dll", kDesignConfig);
  FolderReport report = dir.check();
  ASSERT_EQ(Errors(report).size(), 1u) << Dump(report);
  EXPECT_TRUE(Has(Errors(report), "tarvix.dll holds clear text"));
  EXPECT_TRUE(Has(Errors(report), "pack it with: suitestart-config pack settings.ini"));
  EXPECT_TRUE(Has(report.facts, "Skin folder: sounds\\blue\\"));
  // The skin named by the clear text is checked as well.
  dir.remove("sounds/blue/4.bmp");
  report = dir.check();
  EXPECT_EQ(Errors(report).size(), 2u) << Dump(report);
  EXPECT_TRUE(Has(Errors(report), "sounds\\blue\\4.bmp is missing"));
  // A mark in front of clear text is the clear-text problem; packing drops the mark.
  dir.write("tarvix.dll", std::string("\xEF\xBB\xBF") + kDesignConfig);
  EXPECT_TRUE(Has(Errors(dir.check()), "holds clear text"));
}

TEST(CheckConfiguration, ByteOrderMarkThatHidesTheHeaderIsAnError) {
  LauncherDir dir;
  const std::string stored = PackClearText(kDesignConfig).bytes;
  // The mark as stored bytes, and complemented along with the text by a careless packer.
  for (const std::string& file :
       {"\xEF\xBB\xBF" + stored, test::Scramble(std::string("\xEF\xBB\xBF") + kDesignConfig)}) {
    dir.write("tarvix.dll", file);
    const FolderReport report = dir.check();
    ASSERT_EQ(Errors(report).size(), 1u) << Dump(report);
    EXPECT_TRUE(Has(Errors(report),
                    "tarvix.dll starts with a UTF-8 byte-order mark: the launcher "
                    "loses the first line, its [SYSTEM] header"));
    EXPECT_TRUE(Has(report.facts, "Layout: design (Skin=0)")) << Dump(report);
  }
  // In front of a comment the mark costs nothing: a warning only.
  dir.write("tarvix.dll",
            "\xEF\xBB\xBF" + PackClearText(std::string("; x\n") + kDesignConfig).bytes);
  const FolderReport report = dir.check();
  EXPECT_TRUE(report.startsCleanly()) << Dump(report);
  EXPECT_TRUE(Has(Warnings(report), "byte-order mark"));
}

TEST(CheckConfiguration, NoSystemSectionEndsTheCheckOfSettings) {
  LauncherDir dir;
  for (const char* clear : {"[SYSTEMS]\nSkin=0\nResFolder=blue\n", "Skin=0\n", ""}) {
    dir.config(clear);
    const FolderReport report = dir.check();
    ASSERT_EQ(Errors(report).size(), 1u) << Dump(report);
    EXPECT_TRUE(Has(Errors(report), "tarvix.dll has no [SYSTEM] section"));
    EXPECT_TRUE(Warnings(report).empty()) << "no link warnings without settings";
  }
  // Names match without regard to case, as the launcher matches them.
  dir.config("[system]\nname=Test\nskin = 0\nresfolder=blue\n");
  EXPECT_TRUE(dir.check().startsCleanly()) << Dump(dir.check());
}

TEST(CheckConfiguration, SkinThatIsNoIntegerQuotesTheLauncherError) {
  LauncherDir dir;
  std::string clear = kDesignConfig;
  clear.replace(clear.find("Skin=0"), 6, "Skin=one");
  dir.config(clear);
  FolderReport report = dir.check();
  ASSERT_EQ(Errors(report).size(), 1u) << Dump(report);
  EXPECT_TRUE(Has(Errors(report),
                  "Skin is \"one\", not an integer: the launcher will show the "
                  "error \"'one' is not a valid integer value.\""));
  EXPECT_TRUE(Has(report.facts, "Layout: unknown"));
  clear.replace(clear.find("Skin=one"), 8, "");
  dir.config(clear);
  report = dir.check();
  EXPECT_TRUE(Has(Errors(report),
                  "Skin is missing or empty: the launcher will show the error "
                  "\"'' is not a valid integer value.\""));
  // Every value other than 1 keeps the design layout.
  dir.config(std::string(kDesignConfig) + "Skin=$2\n");
  report = dir.check();
  EXPECT_TRUE(report.problems.empty()) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Layout: design (Skin=2)"));
}

TEST(CheckConfiguration, WarnsOfWhatTheLauncherSilentlyIgnores) {
  LauncherDir dir;
  std::string clear = kDesignConfig;
  clear.replace(clear.find("Name=Test Suite"), 15, "Name=");
  dir.write("tarvix.dll", PackClearText("[SYSTEM]\nVersion=0\n" + clear + "Colour=red\n").bytes +
                              std::string("\0\xAA", 2));
  const FolderReport report = dir.check();
  EXPECT_TRUE(report.startsCleanly()) << Dump(report);
  const std::vector<std::string> warnings = Warnings(report);
  EXPECT_EQ(warnings.size(), 4u) << Dump(report);
  EXPECT_TRUE(Has(warnings, "has 2 [SYSTEM] sections: the launcher reads only the last one"));
  EXPECT_TRUE(Has(warnings, "[SYSTEM] sets \"Colour\", a name the launcher does not know"));
  EXPECT_TRUE(Has(warnings, "Name is empty"));
  EXPECT_TRUE(Has(warnings, "0x00 byte at offset"));
}

// Text the launcher cannot read whole: a NUL inside a line, named by line and column, and clear
// text saved as UTF-16 copied in unpacked.
TEST(CheckConfiguration, NulInsideALineOrUtf16TextIsAnError) {
  LauncherDir dir;
  std::string stored = PackClearText(kDesignConfig).bytes;
  const size_t name = stored.find(test::Scramble("Name="));
  ASSERT_NE(name, std::string::npos);
  stored[name + 9] = '\0';
  dir.write("tarvix.dll", stored);
  // The settings after it are lost as well, and their absence reported.
  EXPECT_TRUE(Has(Errors(dir.check()),
                  "tarvix.dll holds a 0x00 byte at offset 19 (line 2, column 10): the launcher "
                  "cuts that line there"));
  std::string utf16 = "\xFF\xFE";
  for (const char c : std::string(kDesignConfig)) utf16 += {c, '\0'};
  dir.write("tarvix.dll", utf16);
  EXPECT_TRUE(Has(Errors(dir.check()), "tarvix.dll holds UTF-16 LE text, which the launcher"));
  dir.write("tarvix.dll", utf16.substr(2));
  EXPECT_TRUE(Has(Errors(dir.check()), "tarvix.dll holds UTF-16 LE text, which the launcher"));
}

TEST(CheckConfiguration, WarnsOfScreenReaderNamesForNoButtonOrInMixedEncodings) {
  LauncherDir dir;
  dir.config(std::string(kDesignConfig) +
             "[accessibility]\nbutton1=\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB\nButtonNine=x\n"
             "ButtonHelp=\xD0\xA4 \xA9\n");
  const std::vector<std::string> warnings = Warnings(dir.check());
  EXPECT_EQ(warnings.size(), 2u);
  EXPECT_TRUE(Has(warnings, "[ACCESSIBILITY] names \"ButtonNine\", which is no button"));
  EXPECT_TRUE(Has(warnings, "[ACCESSIBILITY] ButtonHelp mixes UTF-8 with legacy"));
}

TEST(CheckConfiguration, WarnsOnceEachOfAFolderNameMixedEncodingsAndOverlongLinks) {
  LauncherDir dir;
  const std::string link = "https://example.com/" + std::string(2063, 'a');  // 2083 characters
  std::string clear = kDesignConfig;
  clear.replace(clear.find("Name=Test Suite"), 15,
                "Name=\xCE\x9A\xCE\xAD\xCF\x83\xCF\x84\xCF\x81\xCE\xB5\xCE\xBB");
  clear.replace(clear.find("https://example.com/t"), 21, link);
  dir.config(clear + "Copyright=\xCE\x9A 2024\n");
  FolderReport report = dir.check();
  EXPECT_TRUE(report.problems.empty()) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Product: \"\xCE\x9A\xCE\xAD\xCF\x83")) << Dump(report);

  clear.replace(clear.find("Name="), 5, "Name=A/B: ");
  clear.replace(clear.find(link), link.size(), link + "b");
  dir.config(clear + "Copyright=\xCE\x9A \xA9 2024\n");
  report = dir.check();
  EXPECT_TRUE(report.startsCleanly()) << Dump(report);
  const std::vector<std::string> warnings = Warnings(report);
  ASSERT_EQ(warnings.size(), 3u) << Dump(report);
  EXPECT_TRUE(Has(warnings,
                  "Name holds \"/\" and \":\", which a folder name cannot hold: the "
                  "launcher names its per-user data folder (in the user's "
                  "application-data folder) \"A B  \xCE\x9A"));
  EXPECT_TRUE(Has(warnings, "Copyright mixes UTF-8 with legacy code-page text"));
  EXPECT_TRUE(Has(warnings, "as \"\xC3\x8E\xC5\xA1 \xC2\xA9 2024\")"));
  EXPECT_TRUE(Has(warnings, "Save the clear settings file as UTF-8"));
  EXPECT_TRUE(Has(warnings, "HelpHowTosTutorialVideosLink is 2084 characters long"));
}

TEST(CheckSkin, MissingFileSaysWhatStopsLoadingAndWhatSizeToMake) {
  LauncherDir dir;
  dir.remove("sounds/blue/7.bmp");
  dir.remove("sounds/blue/8.bmp");
  dir.remove("sounds/blue/bottom3.bmp");
  dir.remove("sounds/blue/main.bmp");
  const FolderReport report = dir.check();
  const std::vector<std::string> errors = Errors(report);
  ASSERT_EQ(errors.size(), 4u) << Dump(report);
  EXPECT_EQ(errors[0],
            "sounds\\blue\\main.bmp is missing: the launcher will show an error box and start as a "
            "plain rectangle of 444 x 217 pixels without outline or skin, with no button pictures; "
            "the welcome text and the companion program are skipped. Add the file (444 x 217 "
            "pixels for the design layout).");
  EXPECT_EQ(errors[1],
            "sounds\\blue\\7.bmp is missing: the launcher will show an error box and stop loading "
            "its skin there: Button3 and every button after it will have no pictures; the welcome "
            "text and the companion program are skipped. Add the file (99 x 108 pixels for the "
            "design layout).");
  EXPECT_NE(errors[2].find("Button3 will lack its mouse-on and pressed pictures, and every button "
                           "after it will have no pictures"),
            std::string::npos);
  EXPECT_NE(errors[3].find("ButtonMoreFreeTools will lack its pressed picture; "),
            std::string::npos);
  EXPECT_NE(errors[3].find("(139 x 33 pixels for the design layout)"), std::string::npos);
}

TEST(CheckSkin, MissingFolderIsOneErrorThatNamesTheFoldersThere) {
  LauncherDir dir;
  dir.write("sounds/wide/main.bmp", Bmp(2, 2));
  std::string clear = kDesignConfig;
  clear.replace(clear.find("ResFolder=blue"), 14, "ResFolder=bleu");
  dir.config(clear);
  const FolderReport report = dir.check();
  ASSERT_EQ(Errors(report).size(), 1u) << Dump(report);
  EXPECT_TRUE(Has(Errors(report), "The skin folder sounds\\bleu\\ is missing"));
  EXPECT_TRUE(Has(Errors(report), "(found: blue and wide)"));
}

TEST(CheckSkin, FileThatIsNoBitmapSaysWhatItIs) {
  LauncherDir dir;
  dir.write("sounds/blue/1.bmp", "\x89PNG\r\n\x1A\n" + std::string(100, 'x'));
  dir.write("sounds/blue/about2.bmp", Bmp(79, 33).substr(0, 100));
  dir.write("sounds/blue/help1.bmp", "");
  const FolderReport report = dir.check();
  const std::vector<std::string> errors = Errors(report);
  ASSERT_EQ(errors.size(), 3u) << Dump(report);
  EXPECT_NE(errors[0].find("sounds\\blue\\1.bmp is not a valid bitmap (it is a PNG image): the "
                           "launcher will show an error box and stop loading its skin there: "
                           "Button1 and every button after it"),
            std::string::npos);
  EXPECT_NE(errors[1].find("help1.bmp is not a valid bitmap (the file is empty)"),
            std::string::npos);
  EXPECT_NE(errors[2].find("about2.bmp is not a valid bitmap (its header or pixel data is damaged"),
            std::string::npos);
  EXPECT_NE(errors[2].find("Save it as a Windows bitmap (.bmp, 24 bits per pixel) (79 x 33 pixels"),
            std::string::npos);
}

TEST(CheckSkin, DesignButtonsMustLieInsideTheGlyphLessItsRightmostColumn) {
  LauncherDir dir;
  // ButtonClose ends at x = 429: a glyph 430 wide shows columns 0 to 428, enough.
  dir.write("sounds/blue/main.bmp", Bmp(430, 217));
  EXPECT_TRUE(dir.check().problems.empty()) << Dump(dir.check());
  dir.write("sounds/blue/main.bmp", Bmp(429, 217));
  FolderReport report = dir.check();
  ASSERT_EQ(Errors(report).size(), 1u) << Dump(report);
  EXPECT_TRUE(Has(Errors(report),
                  "ButtonClose lies at (399, 7) with 30 x 19 pixels in the design "
                  "layout, outside the window"));
  EXPECT_TRUE(Has(Errors(report), "Make main.bmp at least 430 x 217 pixels."));
  // One row short: the four buttons of the bottom row reach past it.
  dir.write("sounds/blue/main.bmp", Bmp(444, 214));
  report = dir.check();
  EXPECT_EQ(Errors(report).size(), 4u) << Dump(report);
  EXPECT_TRUE(Has(Errors(report), "ButtonMoreFreeTools lies at (269, 182)"));
}

TEST(CheckSkin, DesignPicturesOfAnotherSizeAreWarnings) {
  LauncherDir dir;
  dir.write("sounds/blue/7.bmp", Bmp(120, 108));
  dir.write("sounds/blue/8.bmp", Bmp(50, 50));
  const FolderReport report = dir.check();
  EXPECT_TRUE(report.startsCleanly()) << Dump(report);
  const std::vector<std::string> warnings = Warnings(report);
  ASSERT_EQ(warnings.size(), 2u) << Dump(report);
  EXPECT_EQ(warnings[0],
            "sounds\\blue\\7.bmp is 120 x 108 pixels, but Button3 is 99 x 108 in the design "
            "layout: the picture will be cut off at the button's edges. Make it 99 x 108 pixels.");
  EXPECT_NE(warnings[1].find("will not cover the whole button"), std::string::npos);
}

TEST(CheckSkin, AlternativeButtonsTakeTheirNormalPictureSize) {
  LauncherDir dir;
  dir.alternative();
  // Wider than the glyph allows at ButtonMoreFreeTools' position (437, 395).
  dir.write("sounds/blue/bottom1.bmp", Bmp(200, 33));
  FolderReport report = dir.check();
  ASSERT_EQ(Errors(report).size(), 1u) << Dump(report);
  EXPECT_TRUE(Has(Errors(report),
                  "ButtonMoreFreeTools (the size of bottom1.bmp) lies at (437, 395) "
                  "with 200 x 33 pixels in the alternative layout"));
  EXPECT_TRUE(Has(Errors(report), "Make main.bmp at least 638 x 430 pixels."));
  // Its other two pictures, of the old size, no longer cover the button.
  EXPECT_EQ(Warnings(report).size(), 2u) << Dump(report);
  EXPECT_TRUE(Has(Warnings(report),
                  "bottom2.bmp is 139 x 33 pixels, but bottom1.bmp, which sizes "
                  "ButtonMoreFreeTools in the alternative layout, is 200 x 33"));
  // A missing picture gets the advice of the alternative layout.
  dir.remove("sounds/blue/top2.bmp");
  report = dir.check();
  EXPECT_TRUE(Has(Errors(report), "Add the file (the size of top1.bmp, 78 x 33)."));
  EXPECT_TRUE(Has(Errors(report),
                  "the alternative layout, the welcome text and the companion "
                  "program are skipped"));
}

TEST(CheckSkin, OutlineOfMoreThan20000RectanglesIsAWarning) {
  LauncherDir dir;
  // 200 rows of 100 runs each (three pixels, then one of the key), the rest key but for
  // `extra` pixels at the start of the next row.
  const auto glyph = [](int extra) {
    return Bmp(mw::kDesignClientWidth, mw::kDesignClientHeight, [extra](int x, int y) {
      const bool opaque = y < 200 ? x < 400 && x % 4 != 3 : y == 200 && x < extra;
      return opaque ? 0x336699u : kKey;
    });
  };
  dir.write("sounds/blue/main.bmp", glyph(0));
  FolderReport report = dir.check();
  EXPECT_TRUE(report.problems.empty()) << Dump(report);
  dir.write("sounds/blue/main.bmp", glyph(1));
  report = dir.check();
  ASSERT_EQ(Warnings(report).size(), 1u) << Dump(report);
  EXPECT_TRUE(Has(Warnings(report),
                  "sounds\\blue\\main.bmp needs 20,001 rectangles for the window's outline"));
  EXPECT_TRUE(Has(Warnings(report), "ends the launcher without a word"));
}

TEST(CheckVariants, NamesTheScalesFoundAndPassesVariantsWithinAPixelOfTheirSize) {
  LauncherDir dir;
  FolderReport report = dir.check();
  EXPECT_TRUE(Has(report.facts, "Scales: none")) << Dump(report);
  dir.variant(200);
  // 150 % of 444 x 217 is 666 x 325.5, of 99 x 108 148.5 x 162; names in any case.
  dir.write("sounds/blue/150/MAIN.BMP", Bmp(667, 325));
  dir.write("sounds/blue/150/1.Bmp", Bmp(148, 163));
  report = dir.check();
  EXPECT_TRUE(report.problems.empty()) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Scales: 150 % (2 of 31 files), 200 % (31 of 31 files)"))
      << Dump(report);
}

TEST(CheckVariants, ReportsWhatTheLauncherIgnoresOrRefuses) {
  LauncherDir dir;
  dir.variant(200);
  for (const char* folder : {"0150", "2x", "100"})
    dir.write(std::string("sounds/blue/") + folder + "/main.bmp", "");
  dir.write("sounds/blue/200/logo.bmp", Bmp(10, 10));
  dir.write("sounds/blue/200/7.bmp", "\x89PNG\r\n\x1A\n" + std::string(100, 'x'));
  dir.write("sounds/blue/200/1.bmp", Bmp(150, 216));
  dir.write("sounds/blue/200/main.bmp",
            Bmp(888, 434, [](int x, int y) { return (x + y) % 2 ? kKey : 0u; }));
  // At 150 % a header that declares more pixels than any bitmap may hold.
  std::string huge = Bmp(2, 2);
  huge[18] = huge[22] = '\x28', huge[19] = huge[23] = '\x23';  // 9000 x 9000
  dir.write("sounds/blue/150/8.bmp", huge);
  dir.write("sounds/blue/150/7.bmp", Bmp(149, 162));
  const FolderReport report = dir.check();
  const std::vector<std::string> errors = Errors(report);
  const std::vector<std::string> warnings = Warnings(report);
  ASSERT_EQ(errors.size(), 3u) << Dump(report);
  ASSERT_EQ(warnings.size(), 5u) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Scales: 150 % (2 of 31 files), 200 % (31 of 31 files)"));
  EXPECT_TRUE(Has(warnings,
                  "sounds\\blue\\0150\\ is no display-scale folder, so the launcher "
                  "ignores it"));
  EXPECT_TRUE(Has(warnings, "sounds\\blue\\2x\\ is no display-scale folder"));
  EXPECT_TRUE(Has(warnings, "sounds\\blue\\100\\ is no display-scale folder"));
  EXPECT_TRUE(Has(warnings,
                  "sounds\\blue\\200\\logo.bmp is no skin file, so the launcher "
                  "ignores it"));
  // A variant not drawn at its scale is passed over, as if it were not there.
  EXPECT_EQ(errors[0],
            "sounds\\blue\\200\\1.bmp is 150 x 216 pixels, but 1.bmp is 99 x 108 pixels at "
            "100 %, so 198 x 216 at 200 %: the launcher ignores it and takes the picture from the "
            "next scale that has it (or resamples the 96-DPI file). Make it 198 x 216 pixels.");
  EXPECT_EQ(errors[1],
            "sounds\\blue\\150\\8.bmp is not a valid bitmap (it is 9000 x 9000 pixels, more than "
            "the launcher takes: at most 32,768 a side and 67,108,864 in all): at display scales "
            "above 100 % up to 150 % the launcher will show the error box \"Bitmap image is not "
            "valid.\" and stop loading its skin there: Button3 will lack its mouse-on and pressed "
            "pictures, and every button after it will have no pictures; the welcome text and the "
            "companion program are skipped. Save it as a Windows bitmap (.bmp, 24 bits per "
            "pixel) of 149 x 162 pixels, or remove it to have the launcher resample the file "
            "from another scale.");
  EXPECT_TRUE(Has({errors[2]},
                  "sounds\\blue\\200\\7.bmp is not a valid bitmap (it is a PNG "
                  "image): at display scales above 150 % the launcher will show"));
  // A variant's outline is its own: a checkerboard of 444 and 443 runs in alternate rows.
  EXPECT_TRUE(Has(warnings, "sounds\\blue\\200\\main.bmp needs 192,479 rectangles"));
}

TEST(CheckSkin, DamagedRunLengthDataIsAWarningNamingTheFileAndItsFirstBadByte) {
  LauncherDir dir;
  // A row's first run, then a jump 200 pixels right out of a 99-pixel row.
  dir.write("sounds/blue/1.bmp", RleBmp(99, 108, std::string("\x05\x00\x00\x02\xC8\x00", 6)));
  dir.variant(200);
  // Within its row, then a run of 250 past the end of a 198-pixel row.
  dir.write("sounds/blue/200/4.bmp",
            RleBmp(198, 216, std::string("\x00\x02\x10\x00\xFA\x00\x00\x01", 8)));
  const FolderReport report = dir.check();
  EXPECT_TRUE(report.startsCleanly()) << Dump(report);
  ASSERT_EQ(Warnings(report).size(), 2u) << Dump(report);
  EXPECT_TRUE(Has(Warnings(report),
                  "sounds\\blue\\1.bmp has damaged run-length data from byte 60 (0x3C) on"));
  EXPECT_TRUE(Has(Warnings(report),
                  "sounds\\blue\\200\\4.bmp has damaged run-length data from byte 62 (0x3E)"));
  EXPECT_TRUE(Has(Warnings(report), "at every display scale"));
}

TEST(CheckIcon, MissingOrInvalidIconStopsTheStart) {
  LauncherDir dir;
  dir.remove("icon.ico");
  EXPECT_TRUE(Has(Errors(dir.check()), "icon.ico is missing: the launcher will stop at once"));
  dir.write("icon.ico", std::string("\0\0\1", 3));
  EXPECT_TRUE(Has(Errors(dir.check()),
                  "icon.ico is not a valid icon: the launcher will stop at "
                  "once with an \"Application Error\" box saying \"Stream "
                  "read error.\""));
  dir.write("icon.ico", "\x89PNG\r\n\x1A\n" + std::string(40, '\0'));
  EXPECT_TRUE(Has(Errors(dir.check()),
                  "icon.ico is not a valid icon (it is a PNG image): the "
                  "launcher will stop at once with an \"Application Error\" "
                  "box saying \"Icon image is not valid.\""));
}

TEST(CheckProgramsAndLinks, AbsentToolsAndEmptyLinksAreWarningsNamingWhatTheUserClicks) {
  LauncherDir dir;
  dir.remove("FileWrite.exe");
  dir.remove("kestrel.exe");
  dir.write("TrackRip.exe", "not a program");
  std::string clear = kDesignConfig;
  clear.replace(clear.find("HelpHomePageLink=https://example.com\n"), 37, "HelpHomePageLink=\n");
  dir.config(clear);
  const FolderReport report = dir.check();
  EXPECT_TRUE(report.startsCleanly()) << Dump(report);
  const std::vector<std::string> warnings = Warnings(report);
  ASSERT_EQ(warnings.size(), 4u) << Dump(report);
  EXPECT_EQ(warnings[0],
            "FileWrite.exe is missing: Button1 and the menu item \"File Disc Writer\" of "
            "ButtonMoreTools will do nothing when clicked. Copy the program into the folder under "
            "this name.");
  EXPECT_NE(warnings[1].find("TrackRip.exe is not a Windows program: the menu item \"Music Track "
                             "Ripper\" of Button3 will do nothing"),
            std::string::npos);
  EXPECT_NE(warnings[2].find("kestrel.exe (the companion program) is missing: nothing will start "
                             "after the launcher's window appears"),
            std::string::npos);
  EXPECT_NE(warnings[3].find("HelpHomePageLink is empty: ButtonHome and the About dialog's web "
                             "link will hand an empty address to the shell"),
            std::string::npos);
}

TEST(CheckSignature, OnlyASignatureThatDoesNotVerifyStopsACleanStart) {
  LauncherDir dir;
  dir.remove(kLauncherExe);
  dir.write("SuiteStart.EXE", test::PeImage(test::CertificateEntry()));
  FolderReport report = dir.check();
  EXPECT_TRUE(report.problems.empty()) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Signature: signed by CN=Test Signer, verified")) << Dump(report);
  ASSERT_EQ(dir.verified.size(), 1u);
  EXPECT_EQ(dir.verified[0].filename(), "SuiteStart.EXE");
  for (const SignatureCheck::Outcome outcome :
       {SignatureCheck::Untrusted, SignatureCheck::Unavailable, SignatureCheck::Broken}) {
    dir.verdict = {outcome, "", "the verifier's reason"};
    report = dir.check();
    ASSERT_EQ(report.problems.size(), 1u) << Dump(report);
    EXPECT_EQ(report.startsCleanly(), outcome != SignatureCheck::Broken) << Dump(report);
    EXPECT_TRUE(Has({report.problems[0].text}, "(the verifier's reason)")) << Dump(report);
  }
  EXPECT_TRUE(Has(report.facts, "Signature: signed by an unknown signer, does not verify"));
}

TEST(CheckSignature, UnsignedOrMissingExeIsAWarningAndABadFileAnErrorWithoutVerifying) {
  LauncherDir dir;
  dir.write(kLauncherExe, test::PeImage());
  EXPECT_TRUE(Has(Warnings(dir.check()), "suitestart.exe is not signed: "));
  dir.remove(kLauncherExe);
  EXPECT_TRUE(Has(Warnings(dir.check()), "suitestart.exe is missing, so its signature was not"));
  std::string cut = test::PeImage(test::CertificateEntry());
  cut.pop_back();
  dir.write(kLauncherExe, cut);
  EXPECT_TRUE(Has(Errors(dir.check()), "suitestart.exe's certificate table is damaged"));
  dir.write(kLauncherExe, "#!/bin/sh\n" + std::string(100, ' '));
  EXPECT_TRUE(Has(Errors(dir.check()), "suitestart.exe is not a Windows program"));
  EXPECT_TRUE(dir.verified.empty());
}

TEST(FormatFolderReport, PrefixesEachProblemAndSumsUp) {
  FolderReport report;
  report.facts = {"Folder: x"};
  EXPECT_EQ(FormatFolderReport(report),
            "Folder: x\n0 errors, 0 warnings: the launcher would start cleanly.\n");
  report.problems = {{Severity::Warning, "w"}, {Severity::Error, "e"}};
  EXPECT_FALSE(report.startsCleanly());
  EXPECT_EQ(FormatFolderReport(report),
            "Folder: x\nwarning: w\nerror: e\n1 error, 1 warning: the launcher would not start "
            "cleanly.\n");
}

TEST(CheckLanguages, LanguagePicturesFollowTheSkinsSizeRules) {
  LauncherDir dir;
  dir.write("lang/de.ini", "[LANGUAGE]\nName=Deutsch\n");
  // A 96-DPI picture must have its skin file's size; its variants are measured against it.
  dir.write("sounds/blue/de/1.bmp", Bmp(100, 108));
  dir.write("sounds/blue/de/150/1.bmp", Bmp(150, 162));
  dir.write("sounds/blue/de/150/2.bmp", Bmp(99, 108));
  dir.write("sounds/blue/de/150/3.bmp", Bmp(149, 162));
  dir.write("sounds/blue/de/notes.txt", "x");
  const FolderReport report = dir.check();
  const std::vector<std::string> errors = Errors(report);
  ASSERT_EQ(errors.size(), 2u) << Dump(report);
  EXPECT_TRUE(Has(errors,
                  "sounds\\blue\\de\\1.bmp is 100 x 108 pixels, but the skin's own 1.bmp "
                  "is 99 x 108"))
      << Dump(report);
  EXPECT_TRUE(Has(errors, "sounds\\blue\\de\\150\\2.bmp is 99 x 108 pixels")) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Scales of sounds\\blue\\de\\: 150 % (3 of 31 files)"))
      << Dump(report);
  const std::vector<std::string> warnings = Warnings(report);
  EXPECT_TRUE(Has(warnings, "sounds\\blue\\de\\notes.txt is no skin file")) << Dump(report);
  EXPECT_FALSE(Has(warnings, "display-scale folder")) << Dump(report);
}

TEST(CheckLanguages, FindsWhatTheLauncherWouldIgnoreMissOrShowWrongly) {
  LauncherDir dir;
  dir.config(std::string(kDesignConfig) + "[LANGUAGE]\nUse=it\n");
  dir.write("lang/de.ini",
            "\xEF\xBB\xBF[LANGUAGE]\nName=Deutsch\n[TEXT]\nWelcome=Willkommen!\n"
            "Menu3=Image &brennen\nMenu4=Image &behalten\nColour=rot\n[ACCESSIBILITY]\n"
            "Button9=x\n[EXTRA]\n");
  dir.write("lang/de-AT.ini", std::string("[TEXT]\nAboutOK=Passt\0x", 22));
  dir.write("lang/de_AT.ini", "[TEXT]\n");
  dir.write("lang/ar.ini", "[TEXT]\nWelcome=\xD9\x85 {title} {year}\n");
  dir.write("sounds/blue/fr/1.bmp", Bmp(99, 108));
  const FolderReport report = dir.check();
  const std::vector<std::string> w = Warnings(report);
  EXPECT_TRUE(Has(report.facts, "Languages: ar (no name, right to left), de (Deutsch), de-AT"))
      << Dump(report);
  EXPECT_TRUE(Has(w, "[LANGUAGE] Use is \"it\", but there is no lang\\it.ini")) << Dump(report);
  EXPECT_TRUE(Has(w, "lang\\de_AT.ini: \"de_AT\" is no language tag")) << Dump(report);
  EXPECT_TRUE(Has(w, "lang\\de.ini, line 7: [TEXT] has no key \"Colour\"")) << Dump(report);
  EXPECT_TRUE(Has(w, "lang\\de.ini, line 9: [ACCESSIBILITY] has no key \"Button9\""));
  EXPECT_TRUE(Has(w, "lang\\de.ini, line 10: the launcher knows no section [EXTRA]"));
  EXPECT_TRUE(Has(w, "lang\\de.ini: Welcome leaves out {title}")) << Dump(report);
  EXPECT_TRUE(Has(w, "lang\\ar.ini: Welcome uses {year}")) << Dump(report);
  EXPECT_TRUE(Has(w, "Menu3 and Menu4 share the access key \"B\"")) << Dump(report);
  EXPECT_TRUE(Has(w, "lang\\de.ini has no Button1, Button2")) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "lang\\de-AT.ini: Welcome, Menu3, Menu4 from its parent"))
      << Dump(report);
  EXPECT_TRUE(Has(Errors(report), "lang\\de-AT.ini, line 2, column 14: a 0x00 byte"))
      << Dump(report);
  EXPECT_TRUE(Has(w, "sounds\\blue\\fr holds pictures for the language \"fr\""));
  EXPECT_TRUE(Has(w, "lang\\ar.ini is laid out right to left, but the skin has no main.bmp"));
  dir.write("sounds/blue/ar/main.bmp", Bmp(mw::kDesignClientWidth, mw::kDesignClientHeight));
  EXPECT_FALSE(Has(Warnings(dir.check()), "lang\\ar.ini is laid out right to left"));

  // What a user of each language sees, after every fallback.
  const std::string austrian = FormatLanguageTexts(FolderView(dir.path()), ConfigStore(), "de-AT");
  EXPECT_TRUE(Has({austrian}, "Language: de-AT (lang\\de-AT.ini, left to right)\n"));
  EXPECT_TRUE(Has({austrian}, "\nAboutOK: Passt\nACCESSIBILITY ButtonMin: Minimize\n"));
  EXPECT_TRUE(Has({austrian}, "\nMenu3: Image &brennen\n"));
  EXPECT_TRUE(Has({austrian}, "\nMenu1: Music Disc Writer\n"));
  EXPECT_TRUE(Has({FormatLanguageTexts(FolderView(dir.path()), ConfigStore(), "ja")},
                  "Language: built-in English"));
}

}  // namespace
}  // namespace ss::tool

namespace ss::tool {
namespace {

std::string Halo(int width, int height, std::uint32_t alphaMask = 0xFF000000) {
  return test::AlphaBitmapFile(
      std::vector(static_cast<size_t>(height), std::vector<std::uint32_t>(width, 0x40000000)), 108,
      3, alphaMask);
}

TEST(CheckHalo, StatesItsMarginAndReportsHalosTheLauncherCannotShow) {
  LauncherDir dir;
  dir.write("sounds/blue/halo.bmp", Halo(468, 241));
  dir.write("sounds/blue/200/halo.bmp", Halo(936, 482));
  FolderReport report = dir.check();
  EXPECT_TRUE(report.problems.empty()) << Dump(report);
  EXPECT_TRUE(Has(report.facts, "Halo: a margin of 12 pixels")) << Dump(report);
  // A variant of the wrong size and one without alpha; then margins that differ.
  dir.write("sounds/blue/200/halo.bmp", Halo(930, 482));
  dir.write("sounds/blue/150/halo.bmp", Bmp(702, 362));
  report = dir.check();
  EXPECT_EQ(Errors(report).size(), 2u) << Dump(report);
  EXPECT_TRUE(Has(Errors(report), "sounds\\blue\\200\\halo.bmp is 930 x 482 pixels"));
  EXPECT_TRUE(Has(Errors(report), "sounds\\blue\\150\\halo.bmp has no alpha channel"));
  EXPECT_TRUE(Warnings(report).empty()) << Dump(report);
  dir.write("sounds/blue/halo.bmp", Halo(468, 245, 0));
  EXPECT_TRUE(Has(Errors(dir.check()), "sounds\\blue\\halo.bmp has no alpha channel"));
  dir.write("sounds/blue/halo.bmp", Halo(468, 245));
  EXPECT_TRUE(Has(Errors(dir.check()), "by the same margin on every side"));
}

TEST(CheckHalo, MeasuresALanguagesHaloAndItsVariantsAgainstTheSkins) {
  LauncherDir dir;
  dir.write("sounds/blue/halo.bmp", Halo(468, 241));
  dir.write("sounds/blue/ar/halo.bmp", Halo(470, 241));
  dir.write("sounds/blue/de/200/halo.bmp", Halo(930, 482));
  FolderReport report = dir.check();
  EXPECT_TRUE(Has(Errors(report), "sounds\\blue\\ar\\halo.bmp is 470 x 241 pixels"))
      << Dump(report);
  // de has no halo of its own: its variant is measured against the skin's.
  EXPECT_TRUE(Has(Errors(report),
                  "sounds\\blue\\de\\200\\halo.bmp is 930 x 482 pixels, but "
                  "sounds\\blue\\halo.bmp"))
      << Dump(report);
  // Without the skin's own halo the launcher shows none of a language's.
  dir.remove("sounds/blue/halo.bmp");
  report = dir.check();
  EXPECT_TRUE(Has(Warnings(report), "sounds\\blue\\ar\\halo.bmp is never shown")) << Dump(report);
  EXPECT_FALSE(Has(Errors(report), "halo.bmp")) << Dump(report);
}

}  // namespace
}  // namespace ss::tool
