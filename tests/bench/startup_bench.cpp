// Benchmark: the launcher's start-up, from process creation to its first complete paint on the
// screen, against a program that shows one plain window; then the CPU time both use while idle.
//   startup_bench.exe LAUNCHER_FOLDER [SKIN_FOLDER] [RUNS] [--no-idle | --idle-only] [--lang TAG]
//                     [--floor | --floor-halo]
// LAUNCHER_FOLDER is built like the demo's (its stand-ins quiet); SKIN_FOLDER, relative to it,
// is the one its configuration names (sounds\default\ by default). Both programs start at the
// session's DPI (Wine has one for every monitor), at their size and with their pixels there.
// --no-idle leaves out the idle measurement, --idle-only the start-up. --lang TAG expects the
// pictures of that language's skin folder (sounds\default\de\), for a launcher that chooses it.
// --floor starts, in the same turns, windows_floor.exe: the launcher's windows with nothing of
// the launcher in them, the floor under its own cost; --floor-halo the same with a halo's
// layered window.
#include <windows.h>
// Left out by WIN32_LEAN_AND_MEAN: the timer resolution for the millisecond polling.
#include <mmsystem.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/file_read.h"
#include "core/handles_win.h"
#include "gui/dpi.h"
#include "skin/skin_files.h"
#include "ui/main/form_main_tables.h"

namespace {

using namespace ss::main_window;
using ss::Scaled;

// What the plain window paints at 96 DPI, and the floor's child windows
// (tests/bench/plain_window.cpp).
constexpr COLORREF kPlainBackground = RGB(0x31, 0x6A, 0xA5);
constexpr COLORREF kFloorChildColour = RGB(0xA5, 0x6A, 0x31);
constexpr int kPlainWidth = 444;
constexpr int kPlainHeight = 217;
constexpr double kTargetRatio = 1.5;
constexpr DWORD kIdleMs = 10000;
constexpr double kIdleNoiseMs = 50;
constexpr double kTimeoutMs = 20000;

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A screen point in client coordinates of the program's window, and the colour it must show.
struct Probe {
  int x, y;
  COLORREF colour;
};

struct Program {
  std::string name;
  std::string exe;
  std::string folder;
  std::vector<Probe> probes;
  std::string arguments = {};
};

bool Inside(int x, int y, int left, int top, int width, int height) {
  return x >= left && x < left + width && y >= top && y < top + height;
}

// The pixels of skin file `name` as the launcher loads it at `dpi`: at 96 the file itself,
// elsewhere its variant, resampled where needed. Empty when it cannot be loaded.
struct SkinPixels {
  ss::PixelImage image;
  int width() const { return image.width; }
  int height() const { return image.height; }
  bool empty() const { return image.pixels.empty(); }
  COLORREF pixel(int x, int y) const {
    return image.pixels[static_cast<size_t>(y) * image.width + x];
  }
};
SkinPixels SkinFile(const std::string& folder, const ss::SkinVariants& variants, const char* name,
                    int dpi, bool glyph, const std::vector<ss::SkinLanguageFolder>& languages) {
  try {
    const ss::SkinRequest request{
        name, glyph ? std::optional<std::uint32_t>(kTransparentColor) : std::nullopt, glyph};
    return {ss::PrepareSkinFile(folder, variants, request, dpi, languages)};
  } catch (...) {
    return {};
  }
}

// Points of the design layout at `dpi`: a grid over the glyph where only the skin form paints
// (no button, not the info line, inside the outline), and the middle of every button, which
// shows its normal picture from its top-left corner.
std::vector<Probe> LauncherProbes(const std::string& skinFolder, int dpi,
                                  const std::string& language) {
  std::vector<Probe> probes;
  const ss::SkinVariants skin = ss::ListSkinVariants(skinFolder);
  const std::vector<ss::SkinLanguageFolder> languages =
      language.empty() ? std::vector<ss::SkinLanguageFolder>{}
                       : ss::ListSkinLanguages(skinFolder, {language}, ss::UsesVariants(dpi));
  const SkinPixels glyph = SkinFile(skinFolder, skin, kGlyphFile, dpi, true, languages);
  if (glyph.empty()) return probes;
  const auto scaled = [dpi](int length) { return Scaled(length, dpi); };
  for (int gy = 1; gy < 6; ++gy) {
    for (int gx = 1; gx < 8; ++gx) {
      const int x = glyph.width() * gx / 8, y = glyph.height() * gy / 6;
      // The info line sizes itself to its text: its whole band is left out.
      if (y >= scaled(kLabelInfo1.top - 4) &&
          y < scaled(kLabelInfo1.top + kLabelInfo1.height + 6)) {
        continue;
      }
      bool covered = false;
      for (const ButtonLayout& b : kButtons) {
        covered |= Inside(x, y, scaled(b.left), scaled(b.top), scaled(b.width), scaled(b.height));
      }
      const COLORREF colour = glyph.pixel(x, y);
      if (!covered && colour != kTransparentColor && x < glyph.width() - 1)
        probes.push_back({x, y, colour});
    }
  }
  for (const ButtonLayout& b : kButtons) {
    const SkinPixels picture = SkinFile(skinFolder, skin, b.skinFiles[0], dpi, false, languages);
    const int px = scaled(b.width) / 2, py = scaled(b.height) / 2;
    if (picture.empty() || px >= picture.width() || py >= picture.height()) continue;
    probes.push_back({scaled(b.left) + px, scaled(b.top) + py, picture.pixel(px, py)});
  }
  return probes;
}

// The plain window's colour at nine points of its size at `dpi`.
std::vector<Probe> PlainProbes(int dpi) {
  const int width = Scaled(kPlainWidth, dpi), height = Scaled(kPlainHeight, dpi);
  std::vector<Probe> probes;
  for (int y : {2, height / 2, height - 3}) {
    for (int x : {2, width / 2, width - 3}) probes.push_back({x, y, kPlainBackground});
  }
  return probes;
}

// The floor's: the plain window's points off its child windows, and the middle of each child.
std::vector<Probe> FloorProbes(int dpi) {
  std::vector<Probe> probes;
  for (const Probe& p : PlainProbes(dpi)) {
    bool covered = false;
    for (const ButtonLayout& b : kButtons) {
      covered |= Inside(p.x, p.y, Scaled(b.left, dpi), Scaled(b.top, dpi), Scaled(b.width, dpi),
                        Scaled(b.height, dpi));
    }
    if (!covered) probes.push_back(p);
  }
  for (const ButtonLayout& b : kButtons) {
    probes.push_back({Scaled(b.left, dpi) + Scaled(b.width, dpi) / 2,
                      Scaled(b.top, dpi) + Scaled(b.height, dpi) / 2, kFloorChildColour});
  }
  return probes;
}

struct Search {
  DWORD processId;
  HWND found;
};

// The process's visible top-level window of some size (the launcher's hidden application
// window is parked off-screen with no size), not a click-through decoration (its halo).
HWND VisibleWindowOf(DWORD processId) {
  Search search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        RECT r;
        if (owner != s->processId || !IsWindowVisible(window) || !GetWindowRect(window, &r) ||
            r.right - r.left < 50 || r.bottom - r.top < 50 ||
            (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) {
          return TRUE;
        }
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Shows(HDC screen, POINT origin, const std::vector<Probe>& probes) {
  for (const Probe& p : probes) {
    if (GetPixel(screen, origin.x + p.x, origin.y + p.y) != p.colour) return false;
  }
  return true;
}

// The window's place as the last run found it: the next run must not see that run's pixels.
POINT lastOrigin{-1, -1};

struct Started {
  ss::KernelHandle process;
  DWORD processId = 0;
  HWND window = nullptr;
  double windowMs = 0;
  double paintedMs = 0;
};

// Starts the program and polls, about every millisecond, for its visible window and then for
// the probe colours on the screen.
bool Start(const Program& program, HDC screen, Started& out) {
  std::string commandLine = "\"" + program.exe + "\"" + program.arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  const double start = NowMs();
  PROCESS_INFORMATION info{};
  bool created = false;
  // Wine now and then fails a start with ERROR_INTERNAL_ERROR; one more attempt then.
  for (int attempt = 0; attempt < 2 && !created; ++attempt) {
    created = CreateProcessA(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, program.folder.c_str(), &startup, &info);
    if (!created && GetLastError() != ERROR_INTERNAL_ERROR) break;
  }
  if (!created) {
    std::printf("cannot start %s: error %lu\n", program.exe.c_str(), GetLastError());
    return false;
  }
  const ss::KernelHandle thread(info.hThread);
  out.process.reset(info.hProcess);
  out.processId = info.dwProcessId;
  while (NowMs() - start < kTimeoutMs) {
    if (!out.window) {
      out.window = VisibleWindowOf(out.processId);
      if (out.window) out.windowMs = NowMs() - start;
    }
    if (out.window) {
      POINT origin{0, 0};
      ClientToScreen(out.window, &origin);
      if (Shows(screen, origin, program.probes)) {
        out.paintedMs = NowMs() - start;
        lastOrigin = origin;
        return true;
      }
    }
    Sleep(1);
  }
  std::printf("%s: no complete paint within %.0f ms\n", program.name.c_str(), kTimeoutMs);
  return false;
}

void Stop(Started& started) {
  if (!started.process) return;
  if (started.window) PostMessageA(started.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(started.process.get(), 5000) != WAIT_OBJECT_0) {
    TerminateProcess(started.process.get(), 255);
    WaitForSingleObject(started.process.get(), 5000);
  }
  started = {};
}

// Waits until the screen no longer shows `program` where the last window was.
bool ScreenCleared(HDC screen, const Program& program) {
  for (int i = 0; i < 300; ++i) {
    if (lastOrigin.x < 0 || !Shows(screen, lastOrigin, program.probes)) return true;
    Sleep(10);
  }
  return false;
}

// A file under /proc, or nothing when the process is gone.
std::string ReadProcFile(const std::string& path) {
  try {
    return ss::ReadSharedFile(path);
  } catch (const ss::Exception&) {
    return {};
  }
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The Linux process behind a Windows program of this Wine prefix, found by its file name in
// /proc (Wine's GetProcessTimes reports nothing for other processes); empty when there is none.
std::string LinuxProcess(const std::string& exeName, const std::string& winePrefix) {
  const std::string wanted = Lower(exeName);
  const std::string prefixEntry = std::string("WINEPREFIX=") + winePrefix + '\0';
  WIN32_FIND_DATAA entry;
  const ss::FindHandle find(FindFirstFileA("Z:\\proc\\*", &entry));
  if (!find) return {};
  std::string found;
  do {
    const std::string name = entry.cFileName;
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string command = ReadProcFile("Z:\\proc\\" + name + "\\cmdline");
    command.resize(std::min(command.size(), command.find('\0')));
    const size_t cut = command.find_last_of("\\/");
    if (Lower(cut == std::string::npos ? command : command.substr(cut + 1)) != wanted) continue;
    if (ReadProcFile("Z:\\proc\\" + name + "\\environ").find(prefixEntry) == std::string::npos) {
      continue;
    }
    found = name;
  } while (found.empty() && FindNextFileA(find.get(), &entry));
  return found;
}

// User plus system time of a Linux process in milliseconds (clock ticks of 10 ms); -1 if gone.
double CpuMs(const std::string& linuxProcess) {
  const std::string stat = ReadProcFile("Z:\\proc\\" + linuxProcess + "\\stat");
  const size_t name = stat.rfind(')');
  if (stat.empty() || name == std::string::npos) return -1;
  // After the name: state (field 3) ... utime (14), stime (15).
  std::vector<std::string> fields;
  size_t at = name + 2;
  while (at < stat.size() && fields.size() < 13) {
    const size_t end = stat.find(' ', at);
    fields.push_back(stat.substr(at, end - at));
    at = end == std::string::npos ? stat.size() : end + 1;
  }
  if (fields.size() < 13) return -1;
  return (std::atof(fields[11].c_str()) + std::atof(fields[12].c_str())) * 10.0;
}

// Idle: the launcher, the plain window and the busy control painted and left alone for the
// same ten seconds; the busy control shows that the reading sees CPU time at all. False when
// the launcher used more than the plain window, or the reading failed.
bool IdleLikePlain(HDC screen, const Program& launcher, const Program& plain,
                   const std::string& benchFolder) {
  const Program busy{"busy control", benchFolder + "busy_window.exe", benchFolder, plain.probes};
  Started idle[3];
  const Program* idlers[3] = {&launcher, &plain, &busy};
  bool ok = true;
  for (int i = 0; i < 3 && ok; ++i) {
    ok = ScreenCleared(screen, *idlers[i]) && Start(*idlers[i], screen, idle[i]);
    if (ok && i < 2) {
      // Moved out of the screen's middle, where the next one opens.
      SetWindowPos(idle[i].window, nullptr, 20, i == 0 ? 20 : 700, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      lastOrigin = {-1, -1};
    }
  }
  double cpu[3] = {};
  std::string linuxPid[3];
  char winePrefix[MAX_PATH] = {};
  GetEnvironmentVariableA("WINEPREFIX", winePrefix, MAX_PATH);
  for (int i = 0; i < 3 && ok; ++i) {
    const std::string& exe = idlers[i]->exe;
    linuxPid[i] = LinuxProcess(exe.substr(exe.find_last_of('\\') + 1), winePrefix);
    if (linuxPid[i].empty()) {
      std::printf("no Linux process of %s under WINEPREFIX=%s\n", exe.c_str(), winePrefix);
      ok = false;
    }
  }
  if (ok) {
    Sleep(500);
    double before[3];
    for (int i = 0; i < 3; ++i) before[i] = CpuMs(linuxPid[i]);
    const double start = NowMs();
    Sleep(kIdleMs);
    const double elapsed = NowMs() - start;
    for (int i = 0; i < 3; ++i) {
      const double after = CpuMs(linuxPid[i]);
      if (before[i] < 0 || after < 0) {
        std::printf("%s ended while idling\n", idlers[i]->name.c_str());
        ok = false;
      }
      cpu[i] = after - before[i];
    }
    std::printf("CPU time (user + kernel) over %.0f ms of idling after the first paint\n", elapsed);
    for (int i = 0; i < 3; ++i) {
      std::printf("  %-13s %7.1f ms\n", idlers[i]->name.c_str(), cpu[i]);
    }
  }
  for (Started& s : idle) Stop(s);
  if (!ok) return false;
  if (cpu[2] < kIdleMs / 10.0) {
    std::printf("the busy control used %.1f ms: the CPU reading cannot be trusted here\n", cpu[2]);
    return false;
  }
  // Beyond noise: more than a few clock ticks over what the plain window used.
  if (cpu[0] > cpu[1] + kIdleNoiseMs) {
    std::printf("the launcher used CPU time while idle\n");
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
  bool idle = true;
  bool startUp = true;
  std::string language;
  bool floor = false;
  std::string floorArguments;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--lang") == 0 && i + 1 < argc) {
      language = argv[++i];
    } else if (std::strcmp(argv[i], "--no-idle") == 0) {
      idle = false;
    } else if (std::strcmp(argv[i], "--idle-only") == 0) {
      startUp = false;
    } else if (std::strcmp(argv[i], "--floor") == 0) {
      floor = true;
    } else if (std::strcmp(argv[i], "--floor-halo") == 0) {
      floor = true;
      floorArguments = " halo";
    } else {
      args.push_back(argv[i]);
    }
  }
  if (args.empty()) {
    std::fprintf(stderr,
                 "usage: startup_bench LAUNCHER_FOLDER [SKIN_FOLDER] [RUNS] [--no-idle | "
                 "--idle-only] [--lang TAG] [--floor | --floor-halo]\n");
    return 2;
  }
  std::string folder = args[0];
  if (folder.back() != '\\') folder += '\\';
  const std::string skinFolder = folder + (args.size() > 1 ? args[1] : "sounds\\default\\");
  // 31 rounds: medians of 15 moved by several per cent from one run to the next on a shared
  // machine, which is the whole margin of the target.
  const int runs = args.size() > 2 ? std::max(1, std::atoi(args[2].c_str())) : 31;

  char own[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::string benchFolder = own;
  benchFolder.resize(benchFolder.find_last_of('\\') + 1);

  // The companion and tools the launcher starts only record their start.
  SetEnvironmentVariableA("SS_STUB_QUIET", "1");
  timeBeginPeriod(1);
  // The pointer away from the window, so no button shows its mouse-on picture.
  SetCursorPos(0, 0);

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  const Program launcher{"launcher", folder + "suitestart.exe", folder,
                         LauncherProbes(skinFolder, dpi, language)};
  const Program plain{"plain", benchFolder + "plain_window.exe", benchFolder, PlainProbes(dpi)};
  if (launcher.probes.size() < 10) {
    std::printf("too few probe points in %s%s at %d DPI\n", skinFolder.c_str(), kGlyphFile, dpi);
    return 1;
  }

  const Program windowsFloor{"floor", benchFolder + "windows_floor.exe", benchFolder,
                             FloorProbes(dpi), floorArguments};

  // Start-up: the programs in turns, each starting first in its share of the rounds.
  std::vector<double> window[3], painted[3];
  const Program* programs[3] = {&launcher, &plain, &windowsFloor};
  const int count = floor ? 3 : 2;
  bool ok = true;
  for (int run = 0; run < runs && ok && startUp; ++run) {
    for (int k = 0; k < count && ok; ++k) {
      const int which = (run + k) % count;
      Started started;
      ok = ScreenCleared(screen, *programs[which]) && Start(*programs[which], screen, started);
      if (ok) {
        window[which].push_back(started.windowMs);
        painted[which].push_back(started.paintedMs);
      }
      Stop(started);
    }
  }
  if (!ok) return 1;
  if (!startUp) {
    const bool idleOk = IdleLikePlain(screen, launcher, plain, benchFolder);
    ReleaseDC(nullptr, screen);
    timeEndPeriod(1);
    return idleOk ? 0 : 1;
  }
  const double ratio = Median(painted[0]) / Median(painted[1]);
  std::printf(
      "start-up to the first complete paint at %d DPI, %d runs each in turns, medians "
      "(launcher: %zu probe points)\n",
      dpi, runs, launcher.probes.size());
  for (int i = 0; i < count; ++i) {
    std::printf(
        "  %-9s window visible %7.1f ms   painted %7.1f ms   (painted min %.1f, max %.1f)\n",
        programs[i]->name.c_str(), Median(window[i]), Median(painted[i]),
        *std::min_element(painted[i].begin(), painted[i].end()),
        *std::max_element(painted[i].begin(), painted[i].end()));
  }
  std::printf("  ratio %.2fx (target at most %.1fx)\n", ratio, kTargetRatio);
  // What the launcher adds to what any program's first window costs here.
  std::printf("  own cost %.1f ms (launcher painted minus plain painted)\n",
              Median(painted[0]) - Median(painted[1]));
  if (count == 3) {
    std::printf("  windows' floor %.1f ms (floor painted minus plain painted)\n",
                Median(painted[2]) - Median(painted[1]));
  }

  const bool idleOk = !idle || IdleLikePlain(screen, launcher, plain, benchFolder);
  ReleaseDC(nullptr, screen);
  timeEndPeriod(1);
  return ratio <= kTargetRatio && idleOk ? 0 : 1;
}
