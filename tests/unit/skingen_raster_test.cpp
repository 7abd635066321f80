// The skin generator's building blocks: bitmap files, anti-aliased filling, text, stub names.
#include <gtest/gtest.h>

#include <string>

#include "core/image_header.h"
#include "tools/skingen/image_files.h"
#include "tools/skingen/raster.h"
#include "tools/skingen/text.h"
#include "tools/stub/program_names.h"

namespace ss::skingen {
namespace {

TEST(BitmapFile, OddWidthsArePaddedAndReadBackExactly) {
  // Three pixels of three bytes need one pad byte per row; rows are stored bottom-up.
  const Pixels pixels{3, 2, {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203}};
  const std::string file = EncodeBmp(pixels);
  EXPECT_EQ(file.size(), 54u + 2 * 12);
  EXPECT_NO_THROW(CheckBitmapFile(file));
  EXPECT_EQ(BitmapFileSize(file).width, 3);
  EXPECT_EQ(BitmapFileSize(file).height, 2);
  // The first stored row is the bottom one, blue first.
  EXPECT_EQ(static_cast<unsigned char>(file[54]), 0xC0);
  EXPECT_EQ(static_cast<unsigned char>(file[56]), 0xA0);
  EXPECT_EQ(DecodeBmp(file).rgb, pixels.rgb);
}

TEST(BitmapFile, DecodeRejectsDamagedFiles) {
  const std::string file = EncodeBmp({2, 2, {1, 2, 3, 4}});
  EXPECT_THROW(DecodeBmp(file.substr(0, file.size() - 1)), std::runtime_error);
  EXPECT_THROW(DecodeBmp("BM"), std::runtime_error);
}

TEST(Fill, CoversWholePixelsExactlyAndBlendsHalfCoveredOnes) {
  Image image(6, 3, Hex(0x000000));
  // Columns 1 and 2 fully inside, column 3 half inside.
  Fill(image, RoundRect({1, 0, 2.5f, 3}, 0), {0, 0, 6, 3}, Solid(Hex(0xFFFFFF)));
  EXPECT_EQ(image.rgb8(0, 1), 0x000000u);
  EXPECT_EQ(image.rgb8(1, 1), 0xFFFFFFu);
  EXPECT_EQ(image.rgb8(2, 1), 0xFFFFFFu);
  EXPECT_EQ(image.rgb8(3, 1), 0x808080u);
  EXPECT_EQ(image.rgb8(4, 1), 0x000000u);
}

TEST(Fill, StaysInsideTheGivenBoundsAndAppliesOpacity) {
  Image image(8, 8, Hex(0x000000));
  Fill(image, Circle(4, 4, 10), {2, 2, 2, 2}, Solid(Hex(0xFF0000)), 0.5f);
  EXPECT_EQ(image.rgb8(0, 0), 0x000000u);
  EXPECT_EQ(image.rgb8(2, 2), 0x800000u);
}

TEST(Text, DrawsCentredReadableInk) {
  const Font font(std::string(SS_FONT_DIR) + "/tahoma.ttf", 11);
  EXPECT_LT(font.measure("ii"), font.measure("WW"));
  EXPECT_GT(font.capHeight(), 5);
  Image image(80, 20, Hex(0xFFFFFF));
  const Rect bounds = DrawText(image, font, "Help", {0, 0, 80, 20}, Hex(0x000000));
  // Centred: equal space on both sides within a pixel.
  EXPECT_NEAR(bounds.x, 80 - bounds.right(), 1.0f);
  int ink = 0, inkLeftHalf = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 80; ++x) {
      const bool dark = image.rgb8(x, y) < 0x404040;
      ink += dark;
      inkLeftHalf += dark && x < 40;
    }
  }
  EXPECT_GT(ink, 20);
  EXPECT_GT(inkLeftHalf, 5);
  EXPECT_LT(inkLeftHalf, ink - 5);
}

TEST(StubNames, NameEachProgramAsTheLauncherShowsIt) {
  EXPECT_EQ(stub::ToolTitle("FileWrite.exe"), "File Disc Writer");
  EXPECT_EQ(stub::ToolTitle("filewrite.EXE"), "File Disc Writer");
  EXPECT_EQ(stub::ToolTitle("TrackRip.exe"), "Music Track Ripper");
  EXPECT_EQ(stub::ToolTitle("VidWrite.exe"), "Video Disc Writer");
  EXPECT_EQ(stub::ToolTitle("kestrel.exe"), "Companion program");
  EXPECT_EQ(stub::ToolTitle("Other.exe"), "Other");
  EXPECT_EQ(stub::ToolTitle(".exe"), ".exe");
  // Every program the launcher starts has a proper name, not its bare file name.
  for (const char* program : main_window::kAllPrograms) {
    const std::string title = stub::ToolTitle(program);
    EXPECT_EQ(title.find(".exe"), std::string::npos) << program;
    EXPECT_NE(title + ".exe", program);
  }
}

}  // namespace
}  // namespace ss::skingen
