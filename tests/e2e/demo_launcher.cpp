#include "demo_launcher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "input_support.h"
#include "skin/halo.h"

namespace ss::e2e {

using namespace main_window;

// A Unix path from the test's environment as Wine shows it: the Unix root is drive Z:.
std::string FromEnvironment(const char* name) {
  const char* unixPath = std::getenv(name);
  if (!unixPath || !*unixPath) {
    ADD_FAILURE() << name << " is not set";
    return {};
  }
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

namespace {

std::string AssetsFolder() {
  return FromEnvironment("SS_DEMO_ASSETS") + "\\";
}

// The value of `key` in clear configuration text (first match; the demo has one of each).
std::string ValueOf(const std::string& clear, const std::string& key) {
  std::istringstream lines(clear);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return {};
}

// Replaces the value of `key` the way tools/demo/make-demo.sh does for the alternative layout.
std::string WithValue(const std::string& clear, const std::string& key, const std::string& value) {
  std::istringstream lines(clear);
  std::string result;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(key + "=", 0) == 0) line = key + "=" + value;
    result += line + "\n";
  }
  return result;
}

}  // namespace

std::vector<std::string> SkinFileNames() {
  std::vector<std::string> names{kGlyphFile};
  for (const ButtonLayout& b : kButtons)
    names.insert(names.end(), b.skinFiles.begin(), b.skinFiles.end());
  return names;
}

DemoFolder::DemoFolder(const DemoOptions& options) : layout_(options.layout) {
  const std::string assets = AssetsFolder();
  test::CopyFileOrFail(test::BinFolder() + "suitestart.exe", file("suitestart.exe"));

  std::string clear = test::ReadFileBytes(FromEnvironment("SS_DEMO_CONFIG"));
  EXPECT_FALSE(clear.empty()) << "no demo configuration";
  if (layout_ == Layout::Alternative) {
    clear = WithValue(WithValue(clear, "Skin", "1"), "ResFolder", "wide");
  }
  productName_ = ValueOf(clear, "Name");
  const std::string resFolder = ValueOf(clear, "ResFolder");
  if (options.withConfig) {
    test::WriteFileBytes(file("tarvix.dll"), test::Scramble(clear + "\n" + options.extraConfig));
  }

  if (options.withIcon) test::CopyFileOrFail(assets + "icon.ico", file("icon.ico"));

  skinFolder_ = file(std::string(kSkinRoot) + resFolder + "\\");
  test::MakeFolder(file(kSkinRoot));
  test::MakeFolder(skinFolder_);
  const std::string from = assets + kSkinRoot + resFolder + "\\";
  auto copySkinFile = [&](const std::string& name) {
    if (name != options.missingSkinFile) test::CopyFileOrFail(from + name, skinFolder_ + name);
  };
  copySkinFile(kGlyphFile);
  for (const ButtonLayout& b : kButtons) {
    for (const char* name : b.skinFiles) copySkinFile(name);
  }
  if (options.withHalo) copySkinFile(kHaloFile);
  if (options.withVariants) {
    test::MakeFolder(skinFolder_ + "200");
    std::vector<std::string> names = SkinFileNames();
    if (options.withHalo) names.push_back(kHaloFile);
    for (const std::string& name : names) {
      test::CopyFileOrFail(from + "200\\" + name, skinFolder_ + "200\\" + name);
    }
  }

  // The stand-in under every program name the demo lists.
  std::istringstream programs(test::ReadFileBytes(assets + "programs.txt"));
  for (std::string program; std::getline(programs, program);) {
    if (!program.empty() && program.back() == '\r') program.pop_back();
    if (program.empty()) continue;
    test::CopyFileOrFail(test::BinFolder() + "suitestart-stub.exe", file(program));
    programs_.push_back(program);
  }
  EXPECT_EQ(programs_.size(), kAllPrograms.size());
}

DemoFolder::~DemoFolder() {
  // A stand-in may still be ending when the test is over, and Wine keeps an exe in use until
  // its process is gone: the files go one by one as they are let go, for a bounded time.
  std::vector<std::string> files{file("suitestart.exe")};
  for (const std::string& program : programs_) files.push_back(file(program));
  test::WaitUntil(
      [&] {
        bool all = true;
        for (const std::string& f : files) all &= DeleteFileA(f.c_str()) || !test::FileExists(f);
        return all;
      },
      5000);
}

std::string DemoFolder::startedLog() const {
  return test::ReadFileBytes(file("started.log"));
}

int DemoFolder::timesStarted(const std::string& program) const {
  std::istringstream lines(startedLog());
  int count = 0;
  for (std::string line; std::getline(lines, line);) count += line.rfind(program + "|", 0) == 0;
  return count;
}

bool DemoFolder::waitStarted(const std::string& program, int times) const {
  return test::WaitUntil([&] { return timesStarted(program) >= times; }, 10000);
}

ExpectedLook::ExpectedLook(const DemoFolder& folder) : layout_(folder.layout()) {
  glyph_ = ReadBitmapFile(folder.skinFolder() + kGlyphFile);
  for (size_t i = 0; i < kButtons.size(); ++i) {
    for (size_t look = 0; look < 3; ++look) {
      const std::string path = folder.skinFolder() + kButtons[i].skinFiles[look];
      if (test::FileExists(path)) pictures_[i][look] = ReadBitmapFile(path);
    }
  }
}

ExpectedLook::Looks ExpectedLook::AllNormal() {
  Looks looks;
  looks.fill(Look::Normal);
  return looks;
}

RECT ExpectedLook::buttonRect(ButtonId id) const {
  const auto i = static_cast<size_t>(id);
  const ButtonLayout& b = kButtons[i];
  if (layout_ == Layout::Design) return RECT{b.left, b.top, b.left + b.width, b.top + b.height};
  const Image& normal = pictures_[i][0];
  return RECT{b.altLeft, b.altTop, b.altLeft + normal.width, b.altTop + normal.height};
}

RECT ExpectedLook::infoLineArea() const {
  if (layout_ == Layout::Design) {
    // From below the big buttons to above the bottom row, across the whole window.
    return RECT{0, kButtons[2].top + kButtons[2].height + 2, glyph_.width, kButtons[6].top};
  }
  const LabelLayout& box = kAltLabelInfo1;
  return RECT{box.left, box.top, box.left + box.width, box.top + box.height};
}

bool ExpectedLook::inOutline(int x, int y) const {
  return glyph_.contains(x, y) && x < glyph_.width - 1 && glyph_.at(x, y) != kTransparentColor;
}

Image ExpectedLook::infoLine(const std::string& text) const {
  const RECT area = infoLineArea();
  auto relative = [&](int x, int y) { return POINT{x - area.left, y - area.top}; };
  InfoLineStyle style{};
  if (layout_ == Layout::Design) {
    style = {relative(kLabelInfo1.left, kLabelInfo1.top),
             kLabelInfo1.color,
             relative(kLabelInfo2.left, kLabelInfo2.top),
             true,
             0,
             0};
  } else {
    style = {relative(kAltLabelInfo1.left, kAltLabelInfo1.top),
             kAltLabelInfo1.color,
             {},
             false,
             kAltLabelInfo1.width,
             kAltLabelInfo1.height};
  }
  Image line = InfoLineLook(glyph_.crop(area), style, text);
  // Where the outline cuts the area, the screen shows whatever lies under the window.
  for (int y = 0; y < line.height; ++y) {
    for (int x = 0; x < line.width; ++x) {
      if (!inOutline(area.left + x, area.top + y)) {
        line.pixels[static_cast<size_t>(y) * line.width + x] = kUnchecked;
      }
    }
  }
  return line;
}

Image ExpectedLook::window(const Image& desktop, const Looks& looks,
                           const std::string& infoText) const {
  Image expected = glyph_;
  // Buttons are child windows above the skin; where two overlap, neither is checked.
  std::vector<int> cover(expected.pixels.size(), 0);
  for (size_t i = 0; i < kButtons.size(); ++i) {
    const RECT r = buttonRect(kButtons[i].id);
    const Image* picture =
        looks[i] == Look::Any ? nullptr : &pictures_[i][static_cast<int>(looks[i])];
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        if (!expected.contains(x, y)) continue;
        const size_t at = static_cast<size_t>(y) * expected.width + x;
        // A button draws its picture from its top-left corner; beyond the picture lies its
        // background, which no skin file describes.
        const bool known = picture && picture->contains(x - r.left, y - r.top);
        expected.pixels[at] =
            known && ++cover[at] == 1 ? picture->at(x - r.left, y - r.top) : kUnchecked;
      }
    }
  }
  const RECT area = infoLineArea();
  const Image line = infoLine(infoText);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      expected.pixels[static_cast<size_t>(y) * expected.width + x] =
          line.at(x - area.left, y - area.top);
    }
  }
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      if (!inOutline(x, y))
        expected.pixels[static_cast<size_t>(y) * expected.width + x] = desktop.at(x, y);
    }
  }
  return expected;
}

Image WithKeyboardFrame(Image button) {
  const COLORREF colors[] = {0x101010, 0xFFFFFF};
  for (int ring = 0; ring < 2; ++ring) {
    const int m = 2 + ring;
    for (int y = m; y < button.height - m; ++y) {
      for (int x = m; x < button.width - m; ++x) {
        const bool edge =
            x == m || y == m || x == button.width - m - 1 || y == button.height - m - 1;
        if (edge) button.pixels[static_cast<size_t>(y) * button.width + x] = colors[ring];
      }
    }
  }
  return button;
}

int Mismatches(const Image& shown, const Image& expected, std::string* where) {
  if (shown.width != expected.width || shown.height != expected.height) {
    if (where) {
      *where = "size " + std::to_string(shown.width) + "x" + std::to_string(shown.height) +
               " instead of " + std::to_string(expected.width) + "x" +
               std::to_string(expected.height);
    }
    return static_cast<int>(expected.pixels.size()) + 1;
  }
  int count = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const COLORREF want = expected.at(x, y);
      if (want == ExpectedLook::kUnchecked || shown.at(x, y) == want) continue;
      if (count++ == 0 && where) {
        char text[96];
        wsprintfA(text, "(%d, %d) shows %06X instead of %06X", x, y,
                  static_cast<unsigned>(shown.at(x, y)), static_cast<unsigned>(want));
        *where = text;
      }
    }
  }
  return count;
}

RunningLauncher::RunningLauncher(const DemoFolder& folder) : title_(folder.productName()) {
  // The stand-ins only record their start: no note windows over the launcher.
  SetEnvironmentVariableA("SS_STUB_QUIET", "1");
  // The pointer waits in a corner, away from where the window opens.
  test::MouseTo(POINT{0, 0});
  desktop_ =
      CaptureScreen(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  process_ = std::make_unique<test::ChildProcess>(folder.file("suitestart.exe"), folder.path());
}

HWND RunningLauncher::waitMainWindow(DWORD timeoutMs) {
  main_ = process_->waitWindow("SuiteStartForm", title_, timeoutMs);
  return main_;
}

HWND RunningLauncher::applicationWindow() const {
  const auto found = process_->windows("SuiteStartApplication", "", false);
  return found.empty() ? nullptr : found.front();
}

GUITHREADINFO RunningLauncher::threadInfo() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
  return info;
}

bool RunningLauncher::waitMenuClosed() const {
  return test::WaitUntil([&] {
    return process_->windows("#32768").empty() &&
           !(threadInfo().flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
  });
}

POINT RunningLauncher::screenPoint(int x, int y) const {
  POINT p{x, y};
  ClientToScreen(main_, &p);
  return p;
}

POINT RunningLauncher::centreOf(const RECT& r) const {
  return screenPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

Image RunningLauncher::capture(const RECT& r) const {
  const POINT origin = screenPoint(0, 0);
  return CaptureScreen(
      RECT{origin.x + r.left, origin.y + r.top, origin.x + r.right, origin.y + r.bottom});
}

RECT RunningLauncher::clientRectOf(HWND child) const {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool RunningLauncher::waitShows(const RECT& clientRect, const Image& expected,
                                DWORD timeoutMs) const {
  std::string where;
  int count = 0;
  const bool shown = test::WaitUntil(
      [&] {
        count = Mismatches(capture(clientRect), expected, &where);
        return count == 0;
      },
      timeoutMs);
  if (!shown) {
    ADD_FAILURE() << count << " pixels differ in (" << clientRect.left << ", " << clientRect.top
                  << ", " << clientRect.right << ", " << clientRect.bottom << "), first " << where;
  }
  return shown;
}

}  // namespace ss::e2e
