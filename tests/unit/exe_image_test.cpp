#include "tools/config/exe_image.h"

#include <gtest/gtest.h>

#include "pe_image.h"

namespace ss::tool {
namespace {

using test::PeImage;
using test::Put;

TEST(ExeLoadProblem, EveryCutBeforeTheLastSectionEndsIsRefused) {
  const std::string exe = PeImage(test::CertificateEntry());
  EXPECT_EQ(ExeLoadProblem(exe), "");
  // The certificate table after the section is no part of the image.
  const size_t imageEnd = PeImage().size();
  for (size_t size = 0; size < imageEnd; ++size) {
    EXPECT_NE(ExeLoadProblem(exe.substr(0, size)), "") << size;
  }
  EXPECT_EQ(ExeLoadProblem(exe.substr(0, imageEnd - 1)),
            "its section .text's data reaches past the end of the file (to byte 1024; the file "
            "has 1023)");
}

TEST(ExeLoadProblem, NamesTheFirstHeaderWindowsRefuses) {
  const struct {
    size_t at;
    std::uint32_t value;
    int size;
    const char* reason;
  } cases[] = {
      {0x44, 0x014C, 2, "it is not built for 64-bit x86 (its machine type is 0x14C)"},
      {0x46, 0, 2, "it has no sections"},
      {0x58, 0x10B, 2, "its optional header is no 64-bit (PE32+) one"},
      {0x58 + 56, 0x1000, 4, "its image size (0x1000) is smaller than its sections need (0x2000)"},
      {0x58 + 60, 0x10000, 4,
       "its header area reaches past the end of the file (to byte 65536; the "
       "file has 1024)"},
      {0x3C, 0x1000, 4,
       "its PE header reaches past the end of the file (to byte 4120; the file "
       "has 1024)"},
  };
  for (const auto& c : cases) {
    std::string exe = PeImage();
    Put(exe, c.at, c.value, c.size);
    EXPECT_EQ(ExeLoadProblem(exe), c.reason);
  }
}

}  // namespace
}  // namespace ss::tool
