// The shipped exe as a planted DLL or a resource reader meets it: DLLs beside the launcher
// stay unloaded while it runs, and its manifest, version information and icon are in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "input_support.h"
#include "test_support.h"
#include "ui/main/form_main_tables.h"

namespace ss {
namespace {

using test::ChildProcess;
using test::LauncherFolder;

constexpr const char* kTitle = "Planting Test Suite";
constexpr const char* kConfig = "[SYSTEM]\nName=Planting Test Suite\nSkin=0\nResFolder=test\n";

// Names the loader might look for beside the exe: the launcher's own imports (past and
// present), the DLLs its system DLLs load on demand (themes, common controls, composition,
// sound, the shell's helpers) and a few more that Windows and Wine load into GUI processes.
constexpr const char* kPlantedNames[] = {
    "msimg32.dll", "shell32.dll", "uxtheme.dll",   "comctl32.dll",      "dwmapi.dll",
    "winmm.dll",   "shlwapi.dll", "shcore.dll",    "ole32.dll",         "oleaut32.dll",
    "propsys.dll", "userenv.dll", "cryptbase.dll", "windowscodecs.dll", "msctf.dll",
    "imm32.dll",   "version.dll",
};
// Wine's own code takes these from the exe's folder whatever the launcher does: its user32 and
// advapi32 import imm32 and version, its user32 loads uxtheme while the process starts (all
// before WinMain), and its imm32 and shell32 delay-load ole32 on a path that ignores
// SetDefaultDllDirectories. They keep Wine's load order: the test cannot tell a launcher fault
// there from Wine's. (On Windows imm32 and ole32 are KnownDLLs.)
constexpr const char* kLoadedByWineItself[] = {"imm32.dll", "version.dll", "uxtheme.dll",
                                               "ole32.dll"};

// The markers the planted DLLs left in `folder` (their names with ".loaded" appended).
std::vector<std::string> Markers(const std::string& folder) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "*.loaded").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    found.push_back(std::string(entry.cFileName) + ": " +
                    test::ReadFileBytes(folder + entry.cFileName));
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Wine's uxtheme delay-loads this one (past the search limits, as above) once the About
// dialog's push button is drawn themed. The launcher itself no longer uses it.
constexpr const char* kLoadedByWineThemes = "msimg32.dll";

bool Listed(const std::vector<std::string>& names, const char* name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& listed) {
    return lstrcmpiA(listed.c_str(), name) == 0;
  });
}

// A launcher folder with the companion's stand-in and a planted DLL under every name.
class PlantedDlls : public testing::Test {
 protected:
  void SetUp() override {
    test::CopyFileOrFail(test::BinFolder() + "ss_stub_tool.exe",
                         folder_.dir.file(main_window::kCompanionProgram));
    for (const char* name : kPlantedNames) {
      test::CopyFileOrFail(test::BinFolder() + "ss_planted.dll", folder_.dir.file(name));
    }
  }
  void TearDown() override {
    test::ReleaseInput();
    if (!overrides_) return;
    for (const std::string& module : overridden_) RegDeleteValueA(overrides_, module.c_str());
    RegCloseKey(overrides_);
    if (createdKey_) RegDeleteKeyA(HKEY_CURRENT_USER, kOverridesKey);
  }

  // Wine takes its builtin copy of a system DLL even where it finds the file beside the exe,
  // which would hide a planting hole. Native first, for the launcher only, makes it choose files
  // as Windows does for DLLs that are not KnownDLLs; `wineOrder` keep Wine's choice. (A child
  // does not see WINEDLLOVERRIDES set by its parent: Wine reads it from the Unix environment.)
  void preferNativeExcept(const std::vector<std::string>& wineOrder) {
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kOverridesKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &overrides_, &disposition),
              ERROR_SUCCESS);
    createdKey_ = disposition == REG_CREATED_NEW_KEY;
    for (const char* name : kPlantedNames) {
      if (Listed(wineOrder, name)) continue;
      const std::string module = std::string(name).substr(0, std::string(name).size() - 4);
      static constexpr char kNativeFirst[] = "native,builtin";
      RegSetValueExA(overrides_, module.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(kNativeFirst), sizeof kNativeFirst);
      overridden_.push_back(module);
    }
  }

  static constexpr const char* kOverridesKey =
      "Software\\Wine\\AppDefaults\\suitestart.exe\\DllOverrides";

  std::string markers() const { return Joined(Markers(folder_.dir.path())); }
  std::string startedLog() const { return test::ReadFileBytes(folder_.dir.file("started.log")); }

  LauncherFolder folder_{kConfig};
  HKEY overrides_ = nullptr;
  bool createdKey_ = false;
  std::vector<std::string> overridden_;
};

TEST_F(PlantedDlls, TheProbeReportsItsLoadWhenLoadedByPath) {
  // Without this, an empty folder of markers would prove nothing.
  test::TempDir dir;
  test::CopyFileOrFail(test::BinFolder() + "ss_planted.dll", dir.file("probe.dll"));
  HMODULE probe = LoadLibraryA(dir.file("probe.dll").c_str());
  ASSERT_TRUE(probe) << GetLastError();
  FreeLibrary(probe);
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  EXPECT_EQ(Joined(Markers(dir.path())), "probe.dll.loaded: " + std::string(self) + "\r\n\n");
}

TEST_F(PlantedDlls, LauncherLoadsNoneAsItShowsAndStartsTheCompanionThroughTheShell) {
  preferNativeExcept({std::begin(kLoadedByWineItself), std::end(kLoadedByWineItself)});
  ChildProcess launcher(folder_.dir.file("suitestart.exe"), folder_.dir.path());
  HWND main = launcher.waitWindow("SuiteStartForm", kTitle);
  // The static imports are resolved by now, and the window has painted its skin.
  EXPECT_EQ(markers(), "") << "on start";
  ASSERT_TRUE(main);
  // The companion goes through the shell as soon as the window shows.
  EXPECT_TRUE(test::WaitUntil([&] {
    return startedLog().find(std::string(main_window::kCompanionProgram) + "|") !=
           std::string::npos;
  })) << startedLog();
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.waitExit(), 0u);
  EXPECT_EQ(markers(), "") << "after the companion's start";
}

TEST_F(PlantedDlls, LauncherLoadsNoneForTheAboutDialog) {
  std::vector<std::string> wineOrder(std::begin(kLoadedByWineItself),
                                     std::end(kLoadedByWineItself));
  wineOrder.push_back(kLoadedByWineThemes);
  preferNativeExcept(wineOrder);
  ChildProcess launcher(folder_.dir.file("suitestart.exe"), folder_.dir.path());
  HWND main = launcher.waitWindow("SuiteStartForm", kTitle);
  ASSERT_TRUE(main) << markers();
  // The window takes the focus on its first button; three steps back reach About, whose
  // dialog brings the common controls (and with them the theme code) into the process.
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(main, nullptr);
  ASSERT_TRUE(test::WaitUntil([&] {
    return GetGUIThreadInfo(thread, &info) && info.hwndActive == main && info.hwndFocus;
  })) << "the launcher did not become active";
  for (int step = 0; step < 3; ++step) test::KeyTap(VK_UP);
  test::KeyTap(VK_SPACE);
  HWND about = launcher.waitWindow("SuiteStartForm", std::string("About ") + kTitle);
  ASSERT_TRUE(about) << markers();
  PostMessageA(about, WM_CLOSE, 0, 0);
  EXPECT_TRUE(test::WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.waitExit(), 0u);
  EXPECT_EQ(markers(), "");
}

// The launcher's resources, read with the exe mapped as data only.
class ExeResources : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA((test::BinFolder() + "suitestart.exe").c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(module_) << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  // The bytes of a resource; empty when it is missing.
  std::string resource(LPCSTR type, WORD id) const {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return std::string(static_cast<const char*>(data), SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

// The element of `xml` that starts with `open` and holds `marker`, from '<' to '>'.
std::string ElementWith(const std::string& xml, const std::string& open,
                        const std::string& marker) {
  for (size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
    const std::string element = xml.substr(at, xml.find('>', at) - at + 1);
    if (element.find(marker) != std::string::npos) return element;
  }
  return {};
}

TEST_F(ExeResources, ManifestAsksForCommonControls6AsInvokerOnEverySupportedSystem) {
  const std::string manifest = resource(RT_MANIFEST, 1);
  ASSERT_FALSE(manifest.empty()) << "no manifest resource 1";
  EXPECT_EQ(manifest.rfind("<?xml", 0), 0u);

  const std::string controls =
      ElementWith(manifest, "<assemblyIdentity", "name=\"Microsoft.Windows.Common-Controls\"");
  ASSERT_FALSE(controls.empty()) << manifest;
  EXPECT_NE(controls.find("version=\"6.0.0.0\""), std::string::npos) << controls;
  EXPECT_NE(controls.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << controls;
  // The dependency sits inside <dependentAssembly>, or the loader ignores it.
  const size_t dependent = manifest.find("<dependentAssembly>");
  const size_t identity = manifest.find(controls);
  EXPECT_LT(dependent, identity);
  EXPECT_LT(identity, manifest.find("</dependentAssembly>"));

  const std::string level = ElementWith(manifest, "<requestedExecutionLevel", "level=");
  EXPECT_NE(level.find("level=\"asInvoker\""), std::string::npos) << level;
  EXPECT_NE(level.find("uiAccess=\"false\""), std::string::npos) << level;

  // Windows 10/11, 8.1, 8 and 7: without its entry a system runs the launcher in the
  // compatibility mode of an older one.
  for (const char* id :
       {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"}) {
    EXPECT_FALSE(ElementWith(manifest, "<supportedOS", id).empty()) << id;
  }
}

TEST_F(ExeResources, ManifestAsksForTheUtf8CodePageAndLongPaths) {
  const std::string manifest = resource(RT_MANIFEST, 1);
  // Exactly "UTF-8": Windows ignores another spelling, though Wine takes "utf-8" too.
  EXPECT_NE(manifest.find("<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/"
                          "WindowsSettings\">UTF-8</activeCodePage>"),
            std::string::npos)
      << manifest;
  EXPECT_NE(manifest.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                          "WindowsSettings\">true</longPathAware>"),
            std::string::npos)
      << manifest;
  // Both inside <windowsSettings> of the asm.v3 application element.
  const size_t settings = manifest.find("<windowsSettings>");
  EXPECT_LT(settings, manifest.find("<activeCodePage"));
  EXPECT_LT(manifest.find("</longPathAware>"), manifest.find("</windowsSettings>"));
}

TEST_F(ExeResources, VersionInformationCarriesTheProjectVersionAndEveryString) {
  const std::string path = test::BinFolder() + "suitestart.exe";
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
  ASSERT_GT(size, 0u) << GetLastError();
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD high = MAKELONG(SS_VERSION_MINOR, SS_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, SS_VERSION_PATCH);
  EXPECT_EQ(fixed->dwFileVersionMS, high);
  EXPECT_EQ(fixed->dwFileVersionLS, low);
  EXPECT_EQ(fixed->dwProductVersionMS, high);
  EXPECT_EQ(fixed->dwProductVersionLS, low);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));

  // The strings live in the table that the translation entry names.
  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, sizeof(Translation));
  char table[64];
  wsprintfA(table, "\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);
  auto text = [&](const char* name) -> std::string {
    char* value = nullptr;
    UINT chars = 0;
    if (!VerQueryValueA(block.data(), (std::string(table) + name).c_str(),
                        reinterpret_cast<void**>(&value), &chars) ||
        !value) {
      return "(missing)";
    }
    return value;
  };
  EXPECT_EQ(text("FileVersion"), SS_VERSION);
  EXPECT_EQ(text("ProductVersion"), SS_VERSION);
  EXPECT_EQ(text("OriginalFilename"), "suitestart.exe");
  for (const char* name : {"FileDescription", "InternalName", "ProductName"}) {
    const std::string value = text(name);
    EXPECT_NE(value, "(missing)") << name;
    EXPECT_FALSE(value.empty()) << name;
  }
}

TEST_F(ExeResources, IconGroupHoldsDrawnSmallAndLargeImagesThatLoad) {
  const std::string group = resource(RT_GROUP_ICON, 1);
  ASSERT_GE(group.size(), 6u) << "no icon group 1";
  // GRPICONDIR: reserved, type 1 (icon), count; then 14-byte entries ending in the RT_ICON id.
  auto word = [&](size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(group[at]) |
                                 static_cast<unsigned char>(group[at + 1]) << 8);
  };
  ASSERT_EQ(word(2), 1u);
  const unsigned count = word(4);
  ASSERT_EQ(group.size(), 6u + 14u * count);
  for (int side : {16, 32}) {
    SCOPED_TRACE(side);
    bool drawn = false;
    for (unsigned i = 0; i < count; ++i) {
      const size_t entry = 6 + 14 * i;
      if (static_cast<unsigned char>(group[entry]) != side) continue;
      drawn = true;
      EXPECT_FALSE(resource(RT_ICON, static_cast<WORD>(word(entry + 12))).empty());
    }
    EXPECT_TRUE(drawn) << "no " << side << " px image: the system would scale another";

    HICON icon = static_cast<HICON>(
        LoadImageA(module_, MAKEINTRESOURCEA(1), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
    ASSERT_TRUE(icon) << GetLastError();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, side);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace ss
