// Every file of the bitmap seed corpus gives its verdict: valid-* pass and decode, bad-* raise.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/bitmap_decode.h"
#include "core/errors.h"
#include "core/image_header.h"

namespace ss {
namespace {

TEST(BitmapCorpus, EveryFileGivesItsVerdict) {
  int valid = 0;
  int bad = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SS_BITMAP_CORPUS)) {
    const std::string name = entry.path().filename().string();
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (name.starts_with("valid-")) {
      ++valid;
      EXPECT_NO_THROW(CheckBitmapFile(bytes)) << name;
      const BitmapSize size = BitmapFileSize(bytes);
      EXPECT_EQ(DecodeBitmapFile(bytes).pixels.size(),
                static_cast<size_t>(size.width) * size.height)
          << name;
    } else if (name.starts_with("bad-")) {
      ++bad;
      try {
        CheckBitmapFile(bytes);
        ADD_FAILURE() << name << " accepted";
      } catch (const EInvalidGraphic& error) {
        EXPECT_EQ(error.message(), "Bitmap image is not valid") << name;
      }
    } else {
      ADD_FAILURE() << name << ": neither valid- nor bad-";
    }
  }
  EXPECT_GE(valid, 10);
  EXPECT_GE(bad, 20);
}

}  // namespace
}  // namespace ss
