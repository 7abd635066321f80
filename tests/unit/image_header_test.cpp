#include "core/image_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/errors.h"

namespace ss {
namespace {

void Put16(std::string& s, std::uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
void Put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// An icon file with one image of `imageSize` bytes.
std::string Icon(std::uint16_t type = 1, std::uint32_t imageSize = 40) {
  std::string s;
  Put16(s, 0);
  Put16(s, type);
  Put16(s, 1);
  s += std::string("\x20\x20\x00\x00\x01\x00\x20\x00", 8);
  Put32(s, imageSize);
  Put32(s, 22);
  s += std::string(imageSize, '\0');
  return s;
}

template <class E>
void ExpectError(const std::string& bytes, const char* message) {
  try {
    CheckIconFile(bytes);
    ADD_FAILURE() << "accepted";
  } catch (const E& error) {
    EXPECT_EQ(error.message(), message);
  }
}

TEST(CheckIconFile, AcceptsAWellFormedDirectory) { EXPECT_NO_THROW(CheckIconFile(Icon())); }

TEST(CheckIconFile, ShortFileIsAStreamReadError) {
  ExpectError<EReadError>("", "Stream read error");
  ExpectError<EReadError>(Icon().substr(0, 5), "Stream read error");
}

TEST(CheckIconFile, WrongTypeOrDamagedDirectoryIsAnInvalidIcon) {
  ExpectError<EInvalidGraphic>(Icon(2), "Icon image is not valid");
  ExpectError<EInvalidGraphic>(Icon(0), "Icon image is not valid");
  // Header only, no directory entry.
  ExpectError<EInvalidGraphic>(Icon().substr(0, 6), "Icon image is not valid");
  // The image runs past the end of the file.
  ExpectError<EInvalidGraphic>(Icon().substr(0, 50), "Icon image is not valid");
  std::string noImages = Icon();
  noImages[4] = 0;
  ExpectError<EInvalidGraphic>(noImages, "Icon image is not valid");
  std::string huge = Icon();
  huge[14] = huge[15] = huge[16] = huge[17] = '\xFF';
  ExpectError<EInvalidGraphic>(huge, "Icon image is not valid");
}

}  // namespace
}  // namespace ss
