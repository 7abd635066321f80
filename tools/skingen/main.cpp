// skingen: draws the launcher's two default skins, its icon and the demo folder's program list.
//   skingen --fonts FONT_DIR[:FONT_DIR...] OUT_DIR
// writes OUT_DIR/sounds/<skin>/*.bmp (for 96 DPI), OUT_DIR/sounds/<skin>/<scale>/*.bmp (the same
// drawn at each other scale of kDrawnScales), the pictures that carry words drawn in each of
// DrawnLanguages into OUT_DIR/sounds/<skin>/<language>/ and its scale folders alike,
// OUT_DIR/icon.ico and OUT_DIR/programs.txt.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/skingen/halo_art.h"
#include "tools/skingen/skin_art.h"

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  // Written beside the target and renamed, so an interrupted build leaves no half file.
  const fs::path partial = path.string() + ".part";
  std::ofstream out(partial, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
  fs::rename(partial, path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || std::strcmp(argv[1], "--fonts") != 0) {
    std::fputs("usage: skingen --fonts FONT_DIR[:FONT_DIR...] OUT_DIR\n", stderr);
    return 2;
  }
  try {
    using namespace ss::skingen;
    const fs::path out = argv[3];
    // Each scale drawn on a thread of its own, with fonts of its own (a font serves one
    // thread at a time); the files written here, in order.
    // Each language's pictures are those of the English drawing at the scale that its words
    // change.
    using Files = std::vector<std::pair<std::string, std::map<std::string, std::string>>>;
    std::vector<std::future<Files>> drawn;
    for (const int percent : kDrawnScales) {
      drawn.push_back(std::async(std::launch::async, [fontDirs = std::string(argv[2]), percent] {
        const Fonts fonts(fontDirs, percent / 100.0f);
        const Skin english[] = {Render(DefaultSkinArt(fonts)), Render(WideSkinArt(fonts))};
        Files files;
        for (const Skin& skin : english) files.emplace_back(skin.path(), skin.files());
        for (const Wording& words : DrawnLanguages()) {
          const Fonts own(fontDirs, percent / 100.0f, words);
          const Skin translated[] = {Render(DefaultSkinArt(own)), Render(WideSkinArt(own))};
          for (size_t i = 0; i < std::size(english); ++i) {
            files.emplace_back(translated[i].path(), translated[i].filesApartFrom(english[i]));
          }
        }
        return files;
      }));
    }
    // Each skin's halo at each scale, beside its pictures.
    std::vector<std::future<std::vector<std::pair<fs::path, std::string>>>> halos;
    for (const int percent : kDrawnScales) {
      halos.push_back(std::async(std::launch::async, [fontDir = std::string(argv[2]), percent] {
        const Fonts fonts(fontDir, percent / 100.0f);
        std::vector<std::pair<fs::path, std::string>> files;
        for (const SkinArt& art : {DefaultSkinArt(fonts), WideSkinArt(fonts)}) {
          fs::path folder = fs::path("sounds") / art.folder;
          if (percent != 100) folder /= std::to_string(percent);
          files.emplace_back(folder / "halo.bmp", EncodeAlphaBmp(RenderHalo(art)));
        }
        return files;
      }));
    }
    for (auto& scale : halos) {
      for (const auto& [path, bytes] : scale.get()) WriteFile(out / path, bytes);
    }
    for (auto& scale : drawn) {
      for (const auto& [folder, files] : scale.get()) {
        for (const auto& [name, bytes] : files) WriteFile(out / "sounds" / folder / name, bytes);
      }
    }
    std::vector<Pixels> icons;
    for (int side : {256, 64, 48, 32, 24, 16}) icons.push_back(IconImage(side));
    WriteFile(out / "icon.ico", EncodeIco(icons));
    std::string programs;
    for (const char* program : ss::main_window::kAllPrograms)
      programs += std::string(program) + "\n";
    WriteFile(out / "programs.txt", programs);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skingen: %s\n", error.what());
    return 1;
  }
  return 0;
}
