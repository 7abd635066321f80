#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>

#include "core/errors.h"
#include "core/file_read.h"
#include "core/wide.h"
#include "shell/paths.h"
#include "ui/main/form_main_tables.h"

namespace ss::test {

namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW((folder + L"*").c_str(), &found));
  if (search) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search.get(), &found));
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempDir::TempDir(const std::string& name) {
  static std::atomic<int> counter{0};
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  // A name with "\\" in it makes folders within folders, the last one the test's.
  for (;;) {
    path_ = Narrow(base) + "ss-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++) + name + "\\";
    const std::string first = path_.substr(0, path_.find('\\', Narrow(base).size()) + 1);
    if (CreateDirectoryW(Wide(first).c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      ADD_FAILURE() << "cannot make " << first;
      break;
    }
  }
  for (size_t at = path_.find('\\', Narrow(base).size()) + 1; at < path_.size();) {
    at = path_.find('\\', at) + 1;
    EXPECT_TRUE(MakeFolder(path_.substr(0, at))) << path_.substr(0, at);
  }
  root_ = path_.substr(0, path_.find('\\', Narrow(base).size()) + 1);
}

TempDir::~TempDir() {
  RemoveTree(Wide(root_));
}

bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) != FALSE;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  DWORD written = 0;
  {
    const FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  ASSERT_EQ(written, bytes.size());
}

std::string ReadFileBytes(const std::string& path) {
  try {
    return ReadSharedFile(path);
  } catch (const Exception&) {
    return {};
  }
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CopyFileOrFail(const std::string& from, const std::string& to) {
  ASSERT_TRUE(CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE)) << from << " -> " << to;
}

std::string BinFolder() {
  // The test program's own folder, whatever folder the launcher code is pointed at.
  return FolderOfPath(ModuleFileName(nullptr));
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    PumpMessages();
    if (done()) return true;
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

ChildProcess::ChildProcess(const std::string& exe, const std::string& folder, int showCommand) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (showCommand >= 0) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
  }
  std::wstring commandLine = L"\"" + Wide(exe) + L"\"";
  // Wine now and then fails a start with ERROR_INTERNAL_ERROR: the new process ended while Wine
  // was still setting it up. It is rare (about once in a few hundred starts), so one more
  // attempt is made before the test fails.
  for (int attempt = 1;; ++attempt) {
    PROCESS_INFORMATION info{};
    if (CreateProcessW(Wide(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       Wide(folder).c_str(), &startup, &info)) {
      const KernelHandle thread(info.hThread);
      process_.reset(info.hProcess);
      id_ = info.dwProcessId;
      break;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == 2) {
      ADD_FAILURE() << "cannot start " << exe << ": " << error;
      break;
    }
    std::fprintf(stderr, "Wine failed to start %s (ERROR_INTERNAL_ERROR); starting it again\n",
                 exe.c_str());
  }
}

ChildProcess::~ChildProcess() {
  if (running()) {
    TerminateProcess(process_.get(), 255);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool ChildProcess::running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool ChildProcess::waitIdle(DWORD timeoutMs) const {
  return process_ && WaitForInputIdle(process_.get(), timeoutMs) == 0;
}

DWORD ChildProcess::waitExit(DWORD timeoutMs) {
  if (!process_) return STILL_ACTIVE;
  WaitUntil([&] { return !running(); }, timeoutMs);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::vector<HWND> ChildProcess::windows(const std::string& className, const std::string& title,
                                        bool visibleOnly) const {
  struct Query {
    DWORD process;
    const std::string* className;
    const std::string* title;
    bool visibleOnly;
    std::vector<HWND> found;
  } query{id_, &className, &title, visibleOnly, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* q = reinterpret_cast<Query*>(param);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != q->process) return TRUE;
        if (q->visibleOnly && !IsWindowVisible(window)) return TRUE;
        if (!q->className->empty() && WindowClass(window) != *q->className) return TRUE;
        if (!q->title->empty() && WindowText(window) != *q->title) return TRUE;
        q->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND ChildProcess::waitWindow(const std::string& className, const std::string& title,
                              DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> list = windows(className, title);
        found = list.empty() ? nullptr : list.front();
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

std::string WindowText(HWND window) {
  wchar_t text[1024] = {};
  // WM_GETTEXT works across processes for the standard text of a window.
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return Narrow(text);
}

std::string WindowClass(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string MessageBoxText(HWND box) {
  // The message box's text is its static control with the identifier 0xFFFF.
  if (HWND text = GetDlgItem(box, 0xFFFF)) return WindowText(text);
  return {};
}

void CloseMessageBox(HWND box) {
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

std::string Scramble(const std::string& clear) {
  std::string stored = clear;
  for (char& c : stored) {
    if (c != '\r' && c != '\n') c = static_cast<char>(~static_cast<unsigned char>(c));
  }
  return stored;
}

std::string BitmapFileBytes(int width, int height,
                            const std::function<COLORREF(int, int)>& colour) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::string pixels;
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      row += static_cast<char>(GetBValue(c));
      row += static_cast<char>(GetGValue(c));
      row += static_cast<char>(GetRValue(c));
    }
    row.resize(static_cast<size_t>(stride), '\0');
    pixels += row;
  }
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + pixels.size()), 0, 0, 54};
  BITMAPINFOHEADER info{40, width, height, 1, 24, BI_RGB, static_cast<DWORD>(pixels.size()),
                        0,  0,     0,      0};
  return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
         std::string(reinterpret_cast<const char*>(&info), sizeof info) + pixels;
}

std::string SampleIconFile() {
  // One 32 x 32 image, 32 bits per pixel, with its AND mask.
  const std::uint32_t pixels = 32 * 32 * 4;
  const std::uint32_t mask = 32 * 4;
  const std::uint32_t imageSize = 40 + pixels + mask;
  std::string ico;
  auto put16 = [&](std::uint16_t v) { ico.append(reinterpret_cast<const char*>(&v), 2); };
  auto put32 = [&](std::uint32_t v) { ico.append(reinterpret_cast<const char*>(&v), 4); };
  put16(0);
  put16(1);
  put16(1);
  ico += std::string("\x20\x20\x00\x00", 4);
  put16(1);
  put16(32);
  put32(imageSize);
  put32(22);
  put32(40);
  put32(32);
  put32(64);  // the height counts image and mask
  put16(1);
  put16(32);
  put32(0);
  put32(pixels + mask);
  put32(0);
  put32(0);
  put32(0);
  put32(0);
  for (std::uint32_t i = 0; i < 32 * 32; ++i) put32(0xFF3366CC);
  ico += std::string(mask, '\0');
  return ico;
}

LauncherFolder::LauncherFolder(const std::string& clearConfig, bool withIcon,
                               const std::string& folderName)
    : dir(folderName) {
  CopyFileOrFail(BinFolder() + "suitestart.exe", dir.file("suitestart.exe"));
  writeConfig(clearConfig);
  if (withIcon) WriteFileBytes(dir.file("icon.ico"), SampleIconFile());
  const std::string skin = dir.file("sounds\\test\\");
  MakeFolder(dir.file("sounds"));
  MakeFolder(skin);
  auto plain = [](int w, int h, COLORREF color) {
    return BitmapFileBytes(w, h, [=](int, int) { return color; });
  };
  using namespace main_window;
  WriteFileBytes(skin + kGlyphFile,
                 plain(kDesignClientWidth, kDesignClientHeight, RGB(90, 110, 140)));
  for (const ButtonLayout& button : kButtons) {
    for (size_t look = 0; look < 3; ++look) {
      WriteFileBytes(
          skin + button.skinFiles[look],
          plain(button.width, button.height, RGB(200, 60 + 60 * static_cast<int>(look), 40)));
    }
  }
}

std::string StartupErrorText(const LauncherFolder& folder, DWORD timeoutMs) {
  ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
  HWND box = launcher.waitWindow("#32770", "Application Error", timeoutMs);
  if (!box) {
    ADD_FAILURE() << "no Application Error box";
    return {};
  }
  EXPECT_EQ(launcher.windows("").size(), 1u);
  std::string text = MessageBoxText(box);
  const size_t at = text.find(" at ");
  if (at != std::string::npos && text.size() > at + 12) text.replace(at + 4, 8, "ADDRESS");
  CloseMessageBox(box);
  EXPECT_EQ(launcher.waitExit(timeoutMs), 1u);
  return text;
}

void LauncherFolder::writeConfig(const std::string& clearConfig) {
  WriteFileBytes(dir.file("tarvix.dll"), Scramble(clearConfig));
}

}  // namespace ss::test
