// The skin form on real windows under Wine: outlines read back, pixels read back, real input.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "controls/outline_region.h"
#include "controls/skin_form.h"
#include "skin/bitmap_decode.h"
#include "core/errors.h"
#include "gui/application.h"
#include "gui/picture.h"
#include "test_support.h"

namespace ss {
namespace {

constexpr COLORREF kT = 0xFF00FF;  // fuchsia
constexpr COLORREF kO = 0x2040C0;  // an opaque colour (0x00BBGGRR)

// Records what the skin form makes the window go through.
class TestForm : public Form {
 public:
  std::vector<std::string> log;
  std::atomic<bool> inMoveLoop{false};

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_NCLBUTTONDOWN:
        log.push_back("nclbuttondown " + std::to_string(wParam) + " " + std::to_string(lParam) +
                      (GetCapture() ? " captured" : " free"));
        break;
      case WM_ENTERSIZEMOVE:
        inMoveLoop = true;
        break;
      case WM_EXITSIZEMOVE:
        inMoveLoop = false;
        break;
      default:
        break;
    }
    return Form::handleMessage(message, wParam, lParam);
  }
};

// Sets every pixel of `bitmap` (w x h) from `colour(x, y)`, a 0x00BBGGRR value.
void FillBitmap(Bitmap& bitmap, int w, int h, const std::function<COLORREF(int, int)>& colour) {
  bitmap.setSize(w, h);
  std::vector<std::uint32_t> bits(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = colour(x, y);
      bits[static_cast<size_t>(y) * w + x] =
          (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  WindowDc screen(nullptr);
  ASSERT_EQ(SetDIBits(screen.get(), bitmap.handle(), 0, static_cast<UINT>(h), bits.data(), &info,
                      DIB_RGB_COLORS),
            h);
}

Bitmap MakeGlyph(const std::vector<std::string>& rows) {
  Bitmap glyph;
  FillBitmap(glyph, static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
             [&](int x, int y) {
               return rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '.' ? kT : kO;
             });
  return glyph;
}

// A bitmap file of the rows ('.' fuchsia, anything else opaque).
std::string BitmapFile(const std::vector<std::string>& rows) {
  return test::BitmapFileBytes(
      static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), [&](int x, int y) {
        return rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '.' ? kT : kO;
      });
}

std::vector<RECT> RegionRects(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  std::vector<char> data(size);
  auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
  if (size == 0 || GetRegionData(region, size, rgn) != size) return {};
  const RECT* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
  return std::vector<RECT>(rects, rects + rgn->rdh.nCount);
}

std::string Describe(const std::vector<RECT>& rects) {
  std::string text;
  for (const RECT& r : rects) {
    char one[64];
    std::snprintf(one, sizeof one, "(%ld,%ld,%ld,%ld) ", r.left, r.top, r.right, r.bottom);
    text += one;
  }
  return text;
}

// The union of `rects`, made plainly with one CombineRgn per rectangle.
RegionHandle PlainUnion(const std::vector<RECT>& rects) {
  RegionHandle all(CreateRectRgn(0, 0, 0, 0));
  for (const RECT& r : rects) {
    RegionHandle one(CreateRectRgnIndirect(&r));
    CombineRgn(all.get(), all.get(), one.get(), RGN_OR);
  }
  return all;
}

// The window's region, or an empty handle when it has none.
RegionHandle WindowRegion(HWND window) {
  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.get()) == ERROR) return RegionHandle();
  return region;
}

// The window's pixel at a client point, as 0x00BBGGRR.
COLORREF ClientPixel(HWND window, int x, int y) {
  WindowDc dc(window);
  return GetPixel(dc.get(), x, y);
}

void ShowAt(Form& form, int left, int top) {
  SetWindowPos(form.handle(), HWND_TOP, left, top, 0, 0, SWP_NOSIZE);
  form.show();
  SetForegroundWindow(form.handle());
  UpdateWindow(form.handle());
  test::PumpMessages();
}

// ---- outline and size ----

TEST(SkinForm, ConstructorRemovesTheFrameAndSetsItsDefaults) {
  TestForm form;
  TSkinForm skin(form);
  EXPECT_EQ(form.borderStyle(), Form::BorderStyle::None);
  EXPECT_EQ(GetWindowLongA(form.handle(), GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_TRUE(skin.Glyph().empty());
  EXPECT_EQ(skin.TransparentColor(), 0xFF00FFu);
  EXPECT_EQ(skin.boundsRect().right, 200);
  EXPECT_EQ(skin.boundsRect().bottom, 100);
  EXPECT_EQ(&skin.ownerForm(), &form);
}

TEST(SkinForm, LoadedSkinShapesTheWindowToItsOpaquePixels) {
  const std::vector<std::string> rows = {
      "........",  //
      ".######.",  //
      ".#..####",  // the last column is cut although opaque
      "########",  //
      "........",  //
  };
  test::TempDir dir;
  test::WriteFileBytes(dir.file("main.bmp"), BitmapFile(rows));
  Bitmap loaded;
  loaded.loadFromFile(dir.file("main.bmp"));

  TestForm form;
  TSkinForm skin(form);
  int changes = 0;
  skin.OnRegionChanged = [&](Control& sender) {
    EXPECT_EQ(&sender, &skin);
    ++changes;
  };
  skin.setGlyph(loaded);
  EXPECT_EQ(changes, 1);

  RegionHandle actual = WindowRegion(form.handle());
  ASSERT_TRUE(actual) << "no window region";
  RegionHandle expected = PlainUnion({{1, 1, 7, 2}, {1, 2, 2, 3}, {4, 2, 7, 3}, {0, 3, 7, 4}});
  EXPECT_EQ(Describe(RegionRects(actual.get())), Describe(RegionRects(expected.get())));
  EXPECT_TRUE(EqualRgn(actual.get(), expected.get()));
  EXPECT_FALSE(PtInRegion(actual.get(), 7, 2));
  EXPECT_FALSE(PtInRegion(actual.get(), 0, 0));

  // The client area and the control follow the glyph.
  EXPECT_EQ(form.clientWidth(), 8);
  EXPECT_EQ(form.clientHeight(), 5);
  const RECT bounds = skin.boundsRect();
  EXPECT_EQ(Describe({bounds}), "(0,0,8,5) ");
}

TEST(SkinForm, ClientSizeFollowsALargeGlyphAndOneColumnGlyphHasNoOutline) {
  TestForm form;
  TSkinForm skin(form);
  skin.setBounds(30, 40, 10, 10);
  Bitmap glyph;
  FillBitmap(glyph, 444, 217, [](int x, int y) { return (x < 5 && y < 5) ? kT : kO; });
  skin.setGlyph(glyph);
  EXPECT_EQ(form.clientWidth(), 444);
  EXPECT_EQ(form.clientHeight(), 217);
  EXPECT_EQ(Describe({skin.boundsRect()}), "(0,0,444,217) ");
  RegionHandle region = WindowRegion(form.handle());
  ASSERT_TRUE(region);
  RECT box;
  EXPECT_EQ(GetRgnBox(region.get(), &box), COMPLEXREGION);
  EXPECT_EQ(Describe({box}), "(0,0,443,217) ");

  // One pixel wide: the window keeps a size but loses its whole outline.
  skin.setGlyph(MakeGlyph({"#", "#", "#"}));
  EXPECT_EQ(form.clientWidth(), 1);
  EXPECT_EQ(form.clientHeight(), 3);
  region = WindowRegion(form.handle());
  ASSERT_TRUE(region);
  EXPECT_EQ(GetRgnBox(region.get(), &box), NULLREGION);
}

TEST(SkinForm, TagAboveZeroKeepsAFrameAndTheRectangularOutline) {
  TestForm form;
  form.Tag = 1;
  form.setBorderStyle(Form::BorderStyle::Dialog);
  TSkinForm skin(form);
  EXPECT_EQ(form.borderStyle(), Form::BorderStyle::Single);
  EXPECT_EQ(GetWindowLongA(form.handle(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  skin.setGlyph(MakeGlyph({"..##", "####", "##.."}));
  EXPECT_FALSE(WindowRegion(form.handle())) << "the window was reshaped";
  EXPECT_EQ(form.clientWidth(), 4);
  EXPECT_EQ(form.clientHeight(), 3);
  EXPECT_GT(form.height(), form.clientHeight());  // the frame is still there
}

TEST(SkinForm, TransparentColorReappliesPixelsLoadedIntoTheGlyph) {
  TestForm form;
  TSkinForm skin(form);
  int changes = 0;
  skin.OnRegionChanged = [&](Control&) { ++changes; };

  // An empty glyph: only the colour is stored.
  form.setClientSize(120, 80);
  skin.setTransparentColor(0x00FF00);
  EXPECT_EQ(skin.TransparentColor(), 0x00FF00u);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(WindowRegion(form.handle()));
  EXPECT_EQ(form.clientWidth(), 120);

  // Pixels loaded straight into the glyph take effect when the same colour is set again.
  skin.setTransparentColor(kT);
  FillBitmap(skin.Glyph(), 6, 2, [](int x, int) { return x < 3 ? kT : kO; });
  EXPECT_FALSE(WindowRegion(form.handle()));
  skin.setTransparentColor(kT);
  EXPECT_EQ(changes, 1);
  RegionHandle region = WindowRegion(form.handle());
  ASSERT_TRUE(region);
  RegionHandle expected = PlainUnion({{3, 0, 5, 2}});
  EXPECT_TRUE(EqualRgn(region.get(), expected.get())) << Describe(RegionRects(region.get()));

  // Another colour: now the other half is cut away.
  skin.setTransparentColor(kO);
  region = WindowRegion(form.handle());
  expected = PlainUnion({{0, 0, 3, 2}});
  EXPECT_TRUE(EqualRgn(region.get(), expected.get())) << Describe(RegionRects(region.get()));
  EXPECT_EQ(changes, 2);
}

// ---- painting ----

TEST(SkinForm, PaintsTheGlyphAtTheOriginAndFiresOnPaint) {
  TestForm form;
  TSkinForm skin(form);
  int paints = 0;
  skin.OnPaint = [&](Control&) { ++paints; };
  Bitmap glyph;
  FillBitmap(glyph, 60, 40, [](int x, int y) {
    if (y == 0 || y == 39) return kT;
    return RGB(x * 4, y * 6, 0x80);
  });
  skin.setGlyph(glyph);
  ShowAt(form, 50, 60);
  ASSERT_TRUE(test::WaitUntil([&] { return paints > 0; }, 5000));
  for (POINT p : {POINT{0, 1}, POINT{58, 1}, POINT{17, 20}, POINT{30, 38}}) {
    EXPECT_EQ(ClientPixel(form.handle(), p.x, p.y), RGB(p.x * 4, p.y * 6, 0x80))
        << p.x << "," << p.y;
  }
  // On the screen: the glyph where it is opaque, what lies beneath where it is cut away.
  WindowDc screen(nullptr);
  for (POINT p : {POINT{17, 20}, POINT{30, 38}}) {
    EXPECT_EQ(GetPixel(screen.get(), 50 + p.x, 60 + p.y), RGB(p.x * 4, p.y * 6, 0x80))
        << "screen " << p.x << "," << p.y;
  }
  for (POINT p : {POINT{17, 0}, POINT{30, 39}}) {
    EXPECT_NE(GetPixel(screen.get(), 50 + p.x, 60 + p.y), kT) << "screen " << p.x << "," << p.y;
  }
  // The last column is cut away although opaque.
  EXPECT_NE(GetPixel(screen.get(), 50 + 59, 60 + 20), RGB(59 * 4, 20 * 6, 0x80));
  const int before = paints;
  skin.repaint();
  EXPECT_EQ(paints, before + 1);
}

TEST(SkinForm, EmptyGlyphPaintsAOnePixelBlackFrame) {
  TestForm form;
  TSkinForm skin(form);
  form.setColor(0x00FFFF);
  form.setClientSize(220, 120);
  ShowAt(form, 50, 60);
  ASSERT_TRUE(
      test::WaitUntil([&] { return ClientPixel(form.handle(), 210, 110) == 0x00FFFF; }, 5000));
  for (POINT p : {POINT{0, 0}, POINT{199, 0}, POINT{0, 99}, POINT{199, 99}, POINT{100, 0},
                  POINT{100, 99}, POINT{0, 50}, POINT{199, 50}}) {
    EXPECT_EQ(ClientPixel(form.handle(), p.x, p.y), 0u) << p.x << "," << p.y;
  }
  for (POINT p : {POINT{1, 1}, POINT{198, 98}, POINT{100, 50}, POINT{200, 50}, POINT{100, 100}}) {
    EXPECT_EQ(ClientPixel(form.handle(), p.x, p.y), 0x00FFFFu) << p.x << "," << p.y;
  }
}

// ---- dragging with real input ----

void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  if (flags & MOUSEEVENTF_MOVE) {
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    // Rounded up, so the system's truncating scale-back lands on the exact pixel.
    input.mi.dx = (x * 65536 + w - 1) / w;
    input.mi.dy = (y * 65536 + h - 1) / h;
    flags |= MOUSEEVENTF_ABSOLUTE;
  }
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void SendKey(WORD key) {
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof input[0]);
}

bool WaitFor(const std::atomic<bool>& flag, bool value) {
  const ULONGLONG end = GetTickCount64() + 5000;
  while (flag != value) {
    if (GetTickCount64() > end) return false;
    Sleep(10);
  }
  return true;
}

// Moves the pointer by real input and waits until the system has it there; where it is.
POINT MoveTo(int x, int y) {
  SendMouse(MOUSEEVENTF_MOVE, x, y);
  POINT at{};
  const ULONGLONG end = GetTickCount64() + 2000;
  while (GetCursorPos(&at) && (at.x != x || at.y != y) && GetTickCount64() < end) Sleep(5);
  return at;
}

struct DragResult {
  std::vector<std::string> events;
  bool enteredMoveLoop = false;
  POINT moved{};    // how far the window went
  POINT pointer{};  // how far the pointer went during the move loop
};

// Presses `button` on the skin, moves the pointer by (dx, dy) and ends the move: the left
// button by releasing it, the others by releasing and then pressing Enter, which ends the
// system's move loop where the pointer stands.
DragResult Drag(MouseButton button, int dx, int dy) {
  TestForm form;
  TSkinForm skin(form);
  DragResult result;
  skin.OnMouseDown = [&](Control&, MouseButton b, ShiftState, int x, int y) {
    result.events.push_back("mousedown " + std::to_string(static_cast<int>(b)) + " at " +
                            std::to_string(x) + "," + std::to_string(y));
  };
  form.log.clear();
  skin.setGlyph(
      MakeGlyph({"....................", ".##################.", ".##################.",
                 ".##################.", ".##################.", "...................."}));
  ShowAt(form, 300, 200);
  RECT before;
  GetWindowRect(form.handle(), &before);

  const DWORD down = button == MouseButton::Left    ? MOUSEEVENTF_LEFTDOWN
                     : button == MouseButton::Right ? MOUSEEVENTF_RIGHTDOWN
                                                    : MOUSEEVENTF_MIDDLEDOWN;
  const DWORD up = button == MouseButton::Left    ? MOUSEEVENTF_LEFTUP
                   : button == MouseButton::Right ? MOUSEEVENTF_RIGHTUP
                                                  : MOUSEEVENTF_MIDDLEUP;
  std::atomic<bool> done{false};
  std::thread injector([&] {
    const POINT start = MoveTo(before.left + 5, before.top + 3);
    SendMouse(down);
    result.enteredMoveLoop = WaitFor(form.inMoveLoop, true);
    MoveTo(start.x + dx / 2, start.y + dy / 2);
    const POINT end = MoveTo(start.x + dx, start.y + dy);
    result.pointer = {end.x - start.x, end.y - start.y};
    // The move loop follows the pointer at its own pace (slowly on a loaded machine): the
    // release waits until the window has caught up, or for two seconds.
    // A loop that sits still for half a second gets the pointer's place again by one more move
    // there (Wine's loop has been seen to stop half way on a machine running other tests).
    const ULONGLONG patience = GetTickCount64() + 2000;
    ULONGLONG nudge = GetTickCount64() + 500;
    RECT now{};
    while (
        GetWindowRect(form.handle(), &now) &&
        (now.left - before.left != result.pointer.x || now.top - before.top != result.pointer.y) &&
        GetTickCount64() < patience) {
      if (GetTickCount64() > nudge) {
        MoveTo(end.x + 1, end.y);
        MoveTo(end.x, end.y);
        nudge = GetTickCount64() + 500;
      }
      Sleep(5);
    }
    SendMouse(up);
    if (button != MouseButton::Left) SendKey(VK_RETURN);
    WaitFor(form.inMoveLoop, false);
    done = true;
  });
  const bool finished = test::WaitUntil([&] { return done.load(); }, 15000);
  if (!finished) {
    // Ends a move loop that waits on, so the injector can finish.
    SendKey(VK_ESCAPE);
    test::WaitUntil([&] { return done.load(); }, 5000);
  }
  injector.join();
  test::PumpMessages();
  RECT after;
  GetWindowRect(form.handle(), &after);
  result.moved = {after.left - before.left, after.top - before.top};
  for (const std::string& entry : form.log) result.events.push_back(entry);
  EXPECT_TRUE(finished) << "the drag did not end";
  return result;
}

TEST(SkinForm, LeftButtonDragsTheWindow) {
  const DragResult drag = Drag(MouseButton::Left, 40, 30);
  EXPECT_TRUE(drag.enteredMoveLoop);
  EXPECT_EQ(drag.pointer.x, 40);
  EXPECT_EQ(drag.pointer.y, 30);
  EXPECT_EQ(drag.moved.x, drag.pointer.x);
  EXPECT_EQ(drag.moved.y, drag.pointer.y);
  // Mouse-down event first, then the caption press with the capture already released.
  ASSERT_EQ(drag.events.size(), 2u);
  EXPECT_EQ(drag.events[0], "mousedown 0 at 5,3");
  EXPECT_EQ(drag.events[1], "nclbuttondown 2 0 free");
}

TEST(SkinForm, RightAndMiddleButtonsStartTheSameMove) {
  for (MouseButton button : {MouseButton::Right, MouseButton::Middle}) {
    const DragResult drag = Drag(button, -25, 35);
    const std::string name = button == MouseButton::Right ? "right" : "middle";
    EXPECT_TRUE(drag.enteredMoveLoop) << name;
    EXPECT_EQ(drag.moved.x, drag.pointer.x) << name;
    EXPECT_EQ(drag.moved.y, drag.pointer.y) << name;
    EXPECT_NE(drag.moved.x, 0) << name;
    ASSERT_EQ(drag.events.size(), 2u) << name;
    EXPECT_EQ(drag.events[0], "mousedown " + std::to_string(static_cast<int>(button)) + " at 5,3");
    EXPECT_EQ(drag.events[1], "nclbuttondown 2 0 free");
  }
}

// ---- the region builder ----

TEST(OutlineRegion, BatchesAndStripesGiveThePlainUnion) {
  // Taller than one stripe of rows, with thousands of runs that change from row to row.
  Bitmap glyph;
  FillBitmap(glyph, 97, 2 * kOutlineStripeRows + 75,
             [](int x, int y) { return (x * 7 + y * 3 + (y / 5) * x) % 11 < 4 ? kT : kO; });
  const std::vector<std::uint32_t> pixels = glyph.pixels();
  const std::vector<RunRect> runs = OutlineRuns(pixels, glyph.width(), glyph.height(), kT);
  ASSERT_GT(runs.size(), 5000u);
  std::vector<RECT> rects;
  for (const RunRect& r : runs) rects.push_back(RECT{r.left, r.top, r.right, r.bottom});
  RegionHandle plain = PlainUnion(rects);

  RegionHandle outline = CreateOutlineRegion(glyph, kT);
  EXPECT_TRUE(EqualRgn(outline.get(), plain.get()));
  for (size_t batch : {size_t{1}, size_t{3}, kRegionBatch, size_t{100000}}) {
    RegionHandle batched = RegionFromRuns(runs, batch);
    EXPECT_TRUE(EqualRgn(batched.get(), plain.get())) << "batch " << batch;
  }
  RECT box;
  EXPECT_EQ(GetRgnBox(RegionFromRuns({}).get(), &box), NULLREGION);
  EXPECT_EQ(GetRgnBox(CreateOutlineRegion(Bitmap(), kT).get(), &box), NULLREGION);
}

// ---- skin files ----

std::string CorpusFolder() {
  return test::BinFolder() + "corpus\\bitmap\\";
}

TEST(SkinFiles, EveryCorpusFileLoadsOrRaisesItsError) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((CorpusFolder() + "*.bmp").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << CorpusFolder();
  int valid = 0;
  int bad = 0;
  do {
    const std::string name = found.cFileName;
    Bitmap bitmap;
    if (name.starts_with("valid-")) {
      ++valid;
      EXPECT_NO_THROW(bitmap.loadFromFile(CorpusFolder() + name)) << name;
      EXPECT_FALSE(bitmap.empty()) << name;
    } else {
      ++bad;
      try {
        bitmap.loadFromFile(CorpusFolder() + name);
        ADD_FAILURE() << name << " loaded";
      } catch (const EInvalidGraphic& error) {
        EXPECT_EQ(error.message(), "Bitmap image is not valid") << name;
      } catch (const std::exception& error) {
        ADD_FAILURE() << name << ": " << error.what();
      }
      EXPECT_TRUE(bitmap.empty()) << name;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_GE(valid, 10);
  EXPECT_GE(bad, 20);
}

// The same uncompressed bitmap file with its rows stored bottom-up; `bytes` as they are when
// they already are.
std::string BottomUpTwin(std::string bytes) {
  std::int32_t width, height;
  std::uint16_t bits;
  std::uint32_t dataOffset;
  std::memcpy(&dataOffset, bytes.data() + 10, 4);
  std::memcpy(&width, bytes.data() + 18, 4);
  std::memcpy(&height, bytes.data() + 22, 4);
  std::memcpy(&bits, bytes.data() + 28, 2);
  if (height >= 0) return bytes;
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  const size_t rows = static_cast<size_t>(-height);
  std::string flipped = bytes;
  for (size_t row = 0; row < rows; ++row) {
    std::memcpy(flipped.data() + dataOffset + row * stride,
                bytes.data() + dataOffset + (rows - 1 - row) * stride, stride);
  }
  height = -height;
  std::memcpy(flipped.data() + 22, &height, 4);
  return flipped;
}

TEST(SkinFiles, EveryValidCorpusFileGivesThePixelsOfTheSystemsFileLoader) {
  // Uncompressed files are decoded from the bytes already read and checked; the others go
  // through the system's loader. Either way the pixels must be the loader's own. Top-down
  // files are compared with the loader's reading of their bottom-up twin, as Wine's loader
  // reads them as black.
  test::TempDir dir;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((CorpusFolder() + "valid-*.bmp").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << CorpusFolder();
  int compared = 0;
  do {
    const std::string path = CorpusFolder() + found.cFileName;
    Bitmap ours;
    ours.loadFromFile(path);
    const std::string twin = dir.file(found.cFileName);
    test::WriteFileBytes(twin, BottomUpTwin(test::ReadFileBytes(path)));
    Bitmap system;
    system.adopt(BitmapHandle(static_cast<HBITMAP>(LoadImageA(
        nullptr, twin.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION))));
    ASSERT_FALSE(system.empty()) << found.cFileName;
    EXPECT_EQ(ours.width(), system.width()) << found.cFileName;
    EXPECT_EQ(ours.height(), system.height()) << found.cFileName;
    BITMAP oursInfo{}, systemInfo{};
    GetObjectA(ours.handle(), sizeof oursInfo, &oursInfo);
    GetObjectA(system.handle(), sizeof systemInfo, &systemInfo);
    EXPECT_EQ(oursInfo.bmBitsPixel, systemInfo.bmBitsPixel) << found.cFileName;
    EXPECT_EQ(ours.pixels(), system.pixels()) << found.cFileName;
    // The platform-free decoder that the configuration tool judges skins with reads them alike.
    EXPECT_EQ(DecodeBitmapFile(test::ReadFileBytes(path)).pixels, system.pixels())
        << found.cFileName;
    ++compared;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_GE(compared, 10);
}

TEST(SkinFiles, PaddedRowsDecodeToTheirPixels) {
  // Odd widths, so that every row carries padding.
  test::TempDir dir;
  const auto colour = [](int x, int y) -> COLORREF {
    return RGB((x * 37) & 0xFF, (y * 59) & 0xFF, ((x + y) * 13) & 0xFF);
  };
  const std::string path = dir.file("rows.bmp");
  test::WriteFileBytes(path, test::BitmapFileBytes(13, 7, colour));
  Bitmap bitmap;
  bitmap.loadFromFile(path);
  ASSERT_EQ(bitmap.width(), 13);
  ASSERT_EQ(bitmap.height(), 7);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) EXPECT_EQ(bitmap.pixel(x, y), colour(x, y)) << x << "," << y;
  }
}

TEST(SkinFiles, MissingFileAndUnknownExtensionRaiseTheirErrors) {
  test::TempDir dir;
  Bitmap bitmap;
  EXPECT_THROW(bitmap.loadFromFile(dir.file("missing.bmp")), EFOpenError);
  Picture picture;
  test::WriteFileBytes(dir.file("skin.gif"), BitmapFile({"##", "##"}));
  EXPECT_THROW(picture.loadFromFile(dir.file("skin.gif")), EInvalidGraphic);
  EXPECT_TRUE(picture.empty());
  // The same bytes under the right extension are a bitmap.
  test::WriteFileBytes(dir.file("skin.BMP"), BitmapFile({"##", "##"}));
  picture.loadFromFile(dir.file("skin.BMP"));
  EXPECT_EQ(picture.kind(), Picture::Kind::Bitmap);
  EXPECT_EQ(picture.width(), 2);
}

}  // namespace
}  // namespace ss
