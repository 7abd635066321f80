// A stand-in for the suite's tool programs in tests: it records its start and ends.
// Each start appends "<own file name>|<command-line arguments>" to "started.log" beside it.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string exe = path;
  const size_t cut = exe.find_last_of('\\');
  const std::string folder = exe.substr(0, cut + 1);
  const std::string record = exe.substr(cut + 1) + "|" + (arguments ? arguments : "") + "\r\n";
  // Appends whole records, even when several stubs start at once.
  HANDLE log = CreateFileA((folder + "started.log").c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(log, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(log);
  return 0;
}
