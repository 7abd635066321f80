// Helpers of the Windows tests: temporary folders, files, child processes and their windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/handles_win.h"

namespace ss::test {

// Paths and texts are UTF-8, as in the launcher.

// A fresh folder under the temporary folder, its name ending in `name` (a "\\" in it makes
// folders within folders), removed with everything in it at the end.
class TempDir {
 public:
  explicit TempDir(const std::string& name = "");
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  // The folder, ending in "\".
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
  std::string root_;  // the first folder made
};

bool MakeFolder(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes, also while another process writes it; nothing when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
void CopyFileOrFail(const std::string& from, const std::string& to);

// The folder of the test programs (and of suitestart.exe and the stub tool).
std::string BinFolder();

// Runs `step` (which may pump messages) until `done` holds or the timeout passes.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Handles every queued message of this thread.
void PumpMessages();

// A program started for a test; killed at the end if still running.
class ChildProcess {
 public:
  ChildProcess(const std::string& exe, const std::string& folder, int showCommand = -1);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  DWORD id() const { return id_; }
  // Waits for the end; the exit code, or STILL_ACTIVE when the timeout passed.
  DWORD waitExit(DWORD timeoutMs = 10000);
  bool running() const;
  // Waits until the process waits for input with none pending (its start done); false after
  // the timeout.
  bool waitIdle(DWORD timeoutMs = 10000) const;
  // The process's visible (or all) top-level windows of a class and/or title (empty: any).
  std::vector<HWND> windows(const std::string& className, const std::string& title = "",
                            bool visibleOnly = true) const;
  // Waits for a window of the process; nullptr after the timeout.
  HWND waitWindow(const std::string& className, const std::string& title = "",
                  DWORD timeoutMs = 10000) const;

 private:
  KernelHandle process_;
  DWORD id_ = 0;
};

std::string WindowText(HWND window);
std::string WindowClass(HWND window);
// The message text of a message box.
std::string MessageBoxText(HWND box);
// Presses the message box's OK button.
void CloseMessageBox(HWND box);

// A launcher folder: suitestart.exe, a packed configuration, an icon and a plain skin of the
// design sizes in sounds\test\ (for configurations with ResFolder=test).
struct LauncherFolder {
  TempDir dir;
  // `folderName` ends the folder's name (any characters).
  explicit LauncherFolder(const std::string& clearConfig, bool withIcon = true,
                          const std::string& folderName = "");
  void writeConfig(const std::string& clearConfig);
};

// Starts the launcher, expects the "Application Error" box and nothing else of it on the
// screen, closes the box and checks exit code 1. Returns the box's text with the code address
// replaced by "ADDRESS".
std::string StartupErrorText(const LauncherFolder& folder, DWORD timeoutMs = 10000);

// A 24-bit bottom-up Windows bitmap file whose pixel (x, y) has colour(x, y) (0x00BBGGRR).
std::string BitmapFileBytes(int width, int height, const std::function<COLORREF(int, int)>& colour);

// A valid one-image 32 x 32 icon file.
std::string SampleIconFile();

// Stores clear text as the configuration file holds it (line contents complemented).
std::string Scramble(const std::string& clear);

}  // namespace ss::test
