// Windows build: folders listed with FindFirstFileW (any name).
#include <windows.h>

#include "core/folder_list.h"
#include "core/handles_win.h"
#include "core/wide.h"

namespace ss {

std::optional<FolderEntries> ListFolder(const std::string& folder) {
  WIN32_FIND_DATAW found;
  const FindHandle search(FindFirstFileW(Wide(folder + "*").c_str(), &found));
  if (!search) return std::nullopt;
  FolderEntries entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? entries.folders : entries.files)
        .push_back(Narrow(found.cFileName));
  } while (FindNextFileW(search.get(), &found));
  // Anything but the end of the list cut it short: what came so far is not the folder.
  if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
  return entries;
}

}  // namespace ss
