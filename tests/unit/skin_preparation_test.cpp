#include "skin/skin_preparation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include <unistd.h>

#include "core/errors.h"
#include "core/file_read.h"
#include "solid_bitmap.h"

namespace ss {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kKey = 0xFF00FF;

using test::SolidBitmapFile;

// A skin folder of its own in the temporary folder.
class SkinDir {
 public:
  SkinDir() {
    static std::atomic<int> serial{0};
    root_ = fs::temp_directory_path() /
            ("ss-skin-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~SkinDir() { fs::remove_all(root_); }
  std::string path() const { return root_.string() + "/"; }
  void write(const std::string& relative, const std::string& bytes) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary | std::ios::trunc) << bytes;
  }

 private:
  fs::path root_;
};

SkinRequest Plain(const char* name) {
  return {name, std::nullopt, false};
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.message();
  }
  return "no error";
}

TEST(PrepareSkinFile, ALanguagesPicturesComeFirstNearestTagFirstItsOwn96DpiBeforeTheSkinsScale) {
  SkinDir dir;
  dir.write("a.bmp", SolidBitmapFile(10, 6, 0x0000FF));
  dir.write("200/a.bmp", SolidBitmapFile(20, 12, 0x00FF00));
  dir.write("De/A.bmp", SolidBitmapFile(10, 6, 0xFF0000));
  const auto prepare = [&](const std::vector<std::string>& tags, int dpi) {
    const SkinVariants variants = ListSkinVariants(dir.path());
    return PrepareSkinFile(dir.path(), variants, Plain("a.bmp"), dpi,
                           ListSkinLanguages(dir.path(), tags, UsesVariants(dpi)));
  };
  EXPECT_EQ(prepare({}, 96).pixels.front(), 0x0000FFu);
  EXPECT_EQ(prepare({}, 192).pixels.front(), 0x00FF00u);
  EXPECT_EQ(prepare({"de-AT", "de"}, 96).pixels.front(), 0xFF0000u);
  // The language's 96-DPI picture, resampled, before the skin's own 200 % one.
  const PixelImage german = prepare({"de-AT", "de"}, 192);
  EXPECT_EQ(german.pixels.front(), 0xFF0000u);
  EXPECT_EQ(german.width, 20);
  // The nearest tag's variant first; a variant not drawn at its scale is passed over.
  dir.write("de-AT/200/a.bmp", SolidBitmapFile(20, 12, 0xFFFFFF));
  dir.write("de-AT/150/a.bmp", SolidBitmapFile(40, 40, 0x000000));
  EXPECT_EQ(prepare({"de-AT", "de"}, 192).pixels.front(), 0xFFFFFFu);
  EXPECT_EQ(prepare({"de-AT", "de"}, 144).pixels.front(), 0xFFFFFFu);
  EXPECT_EQ(prepare({"de-AT", "de"}, 96).pixels.front(), 0xFF0000u);
}

TEST(PrepareSkinFile, VariantsCountOnlyWhenDrawnAtTheirScaleOfThe96DpiSize) {
  SkinDir dir;
  dir.write("a.bmp", SolidBitmapFile(10, 6, 0x0000FF));
  // 200 %: twice 10 x 6 within a pixel; 150 %: 15 x 9 is wanted, 30 x 30 is not drawn from it.
  dir.write("200/A.BMP", SolidBitmapFile(21, 12, 0x00FF00));
  dir.write("150/a.bmp", SolidBitmapFile(30, 30, 0xFF0000));
  const SkinVariants variants = ListSkinVariants(dir.path());
  const auto prepare = [&](int dpi) {
    return PrepareSkinFile(dir.path(), variants, Plain("a.bmp"), dpi);
  };
  // 144 DPI passes the 150 % file over for the 200 % one, resampled to the 96-DPI size's 15 x 9.
  const PixelImage at144 = prepare(144);
  EXPECT_EQ(at144.width, 15);
  EXPECT_EQ(at144.height, 9);
  EXPECT_EQ(at144.pixels[0], 0x00FF00u);
  // At 96 DPI the file itself, whatever its variants.
  EXPECT_EQ(prepare(96).pixels, std::vector<std::uint32_t>(60, 0x0000FF));
  // Without a fitting variant the 96-DPI file is resampled.
  dir.write("200/A.BMP", SolidBitmapFile(8, 8, 0x00FF00));
  const PixelImage at192 =
      PrepareSkinFile(dir.path(), ListSkinVariants(dir.path()), Plain("a.bmp"), 192);
  EXPECT_EQ(at192.width, 20);
  EXPECT_EQ(at192.pixels[0], 0x0000FFu);
  // A 96-DPI file that is missing or invalid raises the same at every DPI, variants or not.
  const std::string missing = ErrorOf([&] { ReadWholeFile(dir.path() + "b.bmp"); });
  dir.write("200/b.bmp", SolidBitmapFile(20, 12, 0));
  for (const int dpi : {96, 192}) {
    EXPECT_EQ(ErrorOf([&] {
                PrepareSkinFile(dir.path(), ListSkinVariants(dir.path()), Plain("b.bmp"), dpi);
              }),
              missing);
  }
  dir.write("b.bmp", "BM");
  for (const int dpi : {96, 192}) {
    EXPECT_EQ(ErrorOf([&] {
                PrepareSkinFile(dir.path(), ListSkinVariants(dir.path()), Plain("b.bmp"), dpi);
              }),
              "Bitmap image is not valid");
  }
}

TEST(SkinPreparation, GivesEachFileOrItsErrorAndIsTakenOverOnlyForTheSameKey) {
  SkinDir dir;
  dir.write("main.bmp", SolidBitmapFile(4, 2, kKey));
  const SkinPreparationKey key{dir.path(), 96, {Plain("gone.bmp"), {"main.bmp", kKey, true}}, {}};
  auto prepared = std::make_unique<SkinPreparation>(key, 2);
  SkinPreparation* const first = prepared.get();
  prepared = TakeOrPrepare(std::move(prepared), key);
  ASSERT_EQ(prepared.get(), first);
  // Taken out of order: the error on a worker stays with its file.
  EXPECT_EQ(prepared->take(1).pixels, std::vector<std::uint32_t>(8, kKey));
  EXPECT_EQ(ErrorOf([&] { prepared->take(0); }),
            ErrorOf([&] { ReadWholeFile(dir.path() + "gone.bmp"); }));
  // Anything that decides the pixels differs: new work at 192 DPI, the old dropped.
  SkinPreparationKey other = key;
  other.dpi = 192;
  prepared = TakeOrPrepare(std::move(prepared), other);
  EXPECT_EQ(prepared->key(), other);
  EXPECT_EQ(prepared->take(1).width, 8);
}

TEST(SkinPreparation, CancelledWorkersFinishOnlyTheFilesInHand) {
  std::atomic<int> started{0};
  std::promise<void> gate;
  const std::shared_future<void> open = gate.get_future().share();
  SkinPreparationKey key{"", 96, std::vector<SkinRequest>(20, Plain("x.bmp")), {}};
  {
    SkinPreparation preparation(key, 2, [&](const SkinRequest&) {
      ++started;
      open.wait();
      return PixelImage{1, 1, {0}};
    });
    while (started < 2) std::this_thread::yield();
    preparation.cancel();
    gate.set_value();
  }
  EXPECT_EQ(started, 2);
}

}  // namespace
}  // namespace ss
