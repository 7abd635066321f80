// A DLL for the DLL-planting tests, copied beside the launcher under system DLLs' names: when
// any process loads it, it leaves "<its file name>.loaded" beside itself naming that process.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH + 16] = {};
  char process[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  GetModuleFileNameA(nullptr, process, MAX_PATH);
  lstrcatA(path, ".loaded");
  // Only kernel32 here: the loader lock is held, and this DLL may stand in for any other one.
  HANDLE marker = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(marker, process, lstrlenA(process), &written, nullptr);
    WriteFile(marker, "\r\n", 2, &written, nullptr);
    CloseHandle(marker);
  }
  return TRUE;
}
