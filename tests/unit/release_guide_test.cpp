// The release engineers' guide states the launcher's own numbers: every row of its skin table,
// the programs, the info line and the key colour come from the tables the launcher uses.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/skingen/skin_art.h"
#include "ui/main/form_main_tables.h"

namespace ss::skingen {
namespace {

namespace mw = main_window;

std::vector<std::string> GuideLines() {
  std::ifstream in(SS_RELEASE_GUIDE);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The one line that starts with `start`; empty when there is none or more than one.
std::string LineStartingWith(const std::vector<std::string>& lines, const std::string& start) {
  std::string found;
  int count = 0;
  for (const std::string& line : lines) {
    if (line.rfind(start, 0) == 0) found = line, ++count;
  }
  return count == 1 ? found : std::string();
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Pair(int a, int b, const char* between) {
  return std::to_string(a) + between + std::to_string(b);
}

TEST(ReleaseGuide, SkinTableHoldsTheLaunchersLayoutsAndTheWideSkinSizes) {
  const std::vector<std::string> lines = GuideLines();
  ASSERT_FALSE(lines.empty()) << SS_RELEASE_GUIDE;
  const SkinArt wide = WideSkinArt(Fonts(SS_FONT_DIR));
  const std::string glyph = LineStartingWith(lines, std::string("| `") + mw::kGlyphFile + "` |");
  EXPECT_TRUE(EndsWith(glyph, "| 0, 0 | " +
                                  Pair(mw::kDesignClientWidth, mw::kDesignClientHeight, " x ") +
                                  " | 0, 0 | " + Pair(wide.width, wide.height, " x ") + " |"))
      << glyph;
  for (size_t i = 0; i < mw::kButtons.size(); ++i) {
    const mw::ButtonLayout& b = mw::kButtons[i];
    const std::string files = std::string("| `") + b.skinFiles[0] + "` `" + b.skinFiles[1] + "` `" +
                              b.skinFiles[2] + "` | " + b.name;
    const std::string row = LineStartingWith(lines, files);
    SCOPED_TRACE(files);
    EXPECT_TRUE(
        EndsWith(row, " | " + Pair(b.left, b.top, ", ") + " | " + Pair(b.width, b.height, " x ") +
                          " | " + Pair(b.altLeft, b.altTop, ", ") + " | " +
                          Pair(wide.buttons[i].width, wide.buttons[i].height, " x ") + " |"))
        << row;
  }
}

TEST(ReleaseGuide, NamesEveryProgramTheInfoLineAndTheKeyColour) {
  const std::vector<std::string> lines = GuideLines();
  for (const char* program : mw::kAllPrograms) {
    EXPECT_FALSE(LineStartingWith(lines, std::string("| `") + program + "` |").empty()) << program;
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  EXPECT_NE(text.find("0xFF00FF"), std::string::npos);
  EXPECT_NE(text.find("from " + Pair(mw::kLabelInfo1.left, mw::kLabelInfo1.top, ", ")),
            std::string::npos);
  const mw::LabelLayout& alt = mw::kAltLabelInfo1;
  EXPECT_NE(text.find("from " + Pair(alt.left, alt.top, ", ") + ", " +
                      Pair(alt.width, alt.height, " x ")),
            std::string::npos);
}

}  // namespace
TEST(ReleaseGuide, AccessibilityTableNamesEveryButtonAsTheLauncherDoes) {
  const std::vector<std::string> lines = GuideLines();
  for (const mw::ButtonLayout& b : mw::kButtons) {
    const std::string row = LineStartingWith(lines, std::string("| `") + b.name + "` | ");
    EXPECT_EQ(row.rfind(std::string("| `") + b.name + "` | " + b.accessibleName + " | ", 0), 0u)
        << b.name;
  }
}

}  // namespace ss::skingen
