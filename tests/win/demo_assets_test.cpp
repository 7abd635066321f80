// The demo folder's pieces on Windows: the generated skins and icon load through the
// launcher's own code, and the stand-in tool records its start and shows, then closes, its note.
#include <gtest/gtest.h>
// The imaging component's class and interface ids, defined in this unit.
#include <initguid.h>
#include <wincodec.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/image_header.h"
#include "gui/bitmap.h"
#include "gui/icon.h"
#include "test_support.h"
#include "ui/main/form_main_tables.h"

namespace ss {
namespace {

using test::ChildProcess;
using test::TempDir;

// The host tree's generated assets; Wine shows the Unix root as drive Z:.
std::string AssetsFolder() {
  const char* unixPath = std::getenv("SS_DEMO_ASSETS");
  if (!unixPath) return {};
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path + "\\";
}

// A pixel of a 24-bit bottom-up bitmap file, as 0x00BBGGRR.
COLORREF FilePixel(const std::string& bytes, int x, int y) {
  const BitmapSize size = BitmapFileSize(bytes);
  const size_t stride = (static_cast<size_t>(size.width) * 3 + 3) / 4 * 4;
  const size_t at = 54 + stride * (size.height - 1 - y) + 3 * x;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  return RGB(byte(at + 2), byte(at + 1), byte(at));
}

TEST(DemoSkins, EveryFileLoadsThroughTheLauncherBitmapCodeWithItsPixels) {
  const std::string assets = AssetsFolder();
  ASSERT_FALSE(assets.empty()) << "SS_DEMO_ASSETS is not set";
  for (const char* folder : {"default", "wide"}) {
    std::vector<const char*> names{main_window::kGlyphFile};
    for (const auto& b : main_window::kButtons)
      names.insert(names.end(), b.skinFiles.begin(), b.skinFiles.end());
    ASSERT_EQ(static_cast<int>(names.size()), main_window::kSkinFileCount);
    for (const char* name : names) {
      const std::string path = assets + "sounds\\" + folder + "\\" + name;
      SCOPED_TRACE(path);
      Bitmap bitmap;
      ASSERT_NO_THROW(bitmap.loadFromFile(path));
      const std::string bytes = test::ReadFileBytes(path);
      const BitmapSize size = BitmapFileSize(bytes);
      ASSERT_EQ(bitmap.width(), size.width);
      ASSERT_EQ(bitmap.height(), size.height);
      // Corners and centre: the rows were not read upside down or shifted by their padding.
      for (const POINT p :
           {POINT{0, 0}, POINT{size.width - 1, 0}, POINT{0, size.height - 1},
            POINT{size.width / 2, size.height / 2}, POINT{size.width - 2, size.height - 3}}) {
        EXPECT_EQ(bitmap.pixel(p.x, p.y), FilePixel(bytes, p.x, p.y)) << p.x << "," << p.y;
      }
    }
  }
}

TEST(DemoIcon, LoadsAtEachSizeTheSystemAsksFor) {
  const std::string path = AssetsFolder() + "icon.ico";
  for (int size : {16, 24, 32, 48, 64}) {
    SCOPED_TRACE(size);
    IconHandle icon = LoadIconFile(path, size);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  EXPECT_NO_THROW(LoadIconFile(path));
}

// Colour and mask bits of an icon, 32 bits per pixel, top row first.
std::vector<std::uint32_t> IconBits(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  std::vector<std::uint32_t> bits;
  for (HBITMAP part : {info.hbmColor, info.hbmMask}) {
    BITMAP size{};
    if (!part || !GetObjectA(part, sizeof size, &size)) continue;
    BITMAPINFO header{};
    header.bmiHeader = {
        sizeof header.bmiHeader, size.bmWidth, -size.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> partBits(static_cast<size_t>(size.bmWidth) * size.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, part, 0, static_cast<UINT>(size.bmHeight), partBits.data(), &header,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    bits.insert(bits.end(), partBits.begin(), partBits.end());
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return bits;
}

TEST(DemoIcon, OneReadingGivesEverySizeAsTheSystemsFileLoaderDoes) {
  const std::string path = AssetsFolder() + "icon.ico";
  const std::string bytes = ReadIconFile(path);
  for (int size : {0, 16, 20, 24, 32, 40, 48, 64}) {
    SCOPED_TRACE(size);
    IconHandle ours = IconFromFileBytes(bytes, size);
    IconHandle system(
        static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size,
                                      LR_LOADFROMFILE | (size ? 0 : LR_DEFAULTSIZE))));
    ASSERT_TRUE(system);
    const std::vector<std::uint32_t> oursBits = IconBits(ours.get());
    EXPECT_FALSE(oursBits.empty());
    EXPECT_EQ(oursBits, IconBits(system.get()));
  }
}

// The pixels of a PNG image as 0xAARRGGBB, top row first, decoded by the system's imaging
// component (as Windows decodes the icon's PNG image); empty when it cannot.
std::vector<std::uint32_t> DecodePng(std::string_view png, UINT side) {
  std::vector<std::uint32_t> pixels;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(com) && com != RPC_E_CHANGED_MODE) return pixels;
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  auto* bytes = reinterpret_cast<BYTE*>(const_cast<char*>(png.data()));
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromMemory(bytes, static_cast<DWORD>(png.size()))) &&
      SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                                 &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                      nullptr, 0, WICBitmapPaletteTypeCustom))) {
    pixels.resize(static_cast<size_t>(side) * side);
    if (FAILED(converter->CopyPixels(nullptr, side * 4, side * side * 4,
                                     reinterpret_cast<BYTE*>(pixels.data())))) {
      pixels.clear();
    }
  }
  for (IUnknown* object :
       std::initializer_list<IUnknown*>{converter, frame, decoder, stream, factory}) {
    if (object) object->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return pixels;
}

TEST(DemoIcon, LargestSizeIsTheFilesOwn256Image) {
  // Stored with a side of 0; Wine's file loader takes that for 0 and stretches the 64 image.
  const std::string bytes = ReadIconFile(AssetsFolder() + "icon.ico");
  const IconImage image = BestIconImage(bytes, 256);
  const std::vector<std::uint32_t> bits = IconBits(IconFromFileBytes(bytes, 256).get());
  ASSERT_EQ(bits.size(), 2u * 256 * 256);
  // The image's own pixels (a PNG image, as Windows Vista and later read it) are the icon's
  // colours wherever they are opaque.
  const std::vector<std::uint32_t> own =
      DecodePng(std::string_view(bytes).substr(image.offset, image.bytes), 256);
  ASSERT_EQ(own.size(), 256u * 256);
  int opaque = 0;
  for (int y = 0; y < 256; y += 5) {
    for (int x = 0; x < 256; x += 3) {
      const std::uint32_t stored = own[static_cast<size_t>(y) * 256 + x];
      if ((stored >> 24) != 0xFF) continue;
      ++opaque;
      EXPECT_EQ(bits[static_cast<size_t>(y) * 256 + x] & 0xFFFFFF, stored & 0xFFFFFF)
          << x << "," << y;
    }
  }
  EXPECT_GT(opaque, 100);
}

// The stand-in copied into a fresh folder under a tool's name.
struct StubFolder {
  TempDir dir;
  std::string exe;
  explicit StubFolder(const std::string& name) : exe(dir.file(name)) {
    test::CopyFileOrFail(test::BinFolder() + "suitestart-stub.exe", exe);
  }
  std::string log() const {
    return test::FileExists(dir.file("started.log")) ? test::ReadFileBytes(dir.file("started.log"))
                                                     : "";
  }
};

// Sets an environment variable for the programs started during one test.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    SetEnvironmentVariableA(name, value);
  }
  ~ScopedEnvironment() { SetEnvironmentVariableA(name_, nullptr); }

 private:
  const char* name_;
};

DWORD RunWithArguments(const std::string& exe, const std::string& arguments) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return GetLastError() | 0x80000000u;
  }
  WaitForSingleObject(process.hProcess, 10000);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST(DemoStub, QuietModeAppendsItsNameAndArgumentsToTheLog) {
  StubFolder folder("ImgRip.exe");
  ScopedEnvironment quiet("SS_STUB_QUIET", "1");
  EXPECT_EQ(RunWithArguments(folder.exe, "--alpha beta"), 0u);
  EXPECT_EQ(RunWithArguments(folder.exe, ""), 0u);
  EXPECT_EQ(folder.log(), "ImgRip.exe|--alpha beta\r\nImgRip.exe|\r\n");
}

// Copies a window's pixels off the screen.
std::vector<COLORREF> WindowPixels(HWND window, int width, int height) {
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return pixels;
}

void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

TEST(DemoStub, ShowsANoteNamingTheToolUntilClicked) {
  StubFolder folder("FileWrite.exe");
  ScopedEnvironment seconds("SS_STUB_SECONDS", "60");
  ChildProcess stub(folder.exe, folder.dir.path());
  HWND note = stub.waitWindow("SuitestartDemoStub");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(test::WindowText(note), "File Disc Writer - FileWrite.exe");
  EXPECT_TRUE(test::WaitUntil([&] { return folder.log() == "FileWrite.exe|\r\n"; }));

  // In the bottom-right corner of the work area, clear of a launcher in the middle.
  RECT work{}, rect{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(note, &rect);
  EXPECT_GT(rect.left, (work.left + work.right) / 2);
  EXPECT_GT(rect.top, (work.top + work.bottom) / 2);
  EXPECT_LE(rect.right, work.right);
  EXPECT_LE(rect.bottom, work.bottom);

  // Painted: a white card with the accent strip and dark text on it.
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  std::vector<COLORREF> pixels;
  EXPECT_TRUE(test::WaitUntil([&] {
    test::PumpMessages();
    pixels = WindowPixels(note, width, height);
    return pixels[static_cast<size_t>(height / 2) * width + 2] == RGB(0x2F, 0x86, 0xF0);
  }));
  int dark = 0, white = 0;
  for (COLORREF c : pixels) {
    dark += GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x70;
    white += c == RGB(0xFF, 0xFF, 0xFF);
  }
  EXPECT_GT(dark, 100);
  EXPECT_GT(white, static_cast<int>(pixels.size()) / 2);

  ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  EXPECT_EQ(stub.waitExit(), 0u);
}

TEST(DemoStub, ClosesItsNoteByItselfAfterItsTime) {
  StubFolder folder("kestrel.exe");
  ScopedEnvironment seconds("SS_STUB_SECONDS", "1");
  ChildProcess stub(folder.exe, folder.dir.path());
  ASSERT_NE(stub.waitWindow("SuitestartDemoStub"), nullptr);
  EXPECT_EQ(stub.waitExit(10000), 0u);
  EXPECT_EQ(folder.log(), "kestrel.exe|\r\n");
}

}  // namespace
}  // namespace ss
