// Folder paths: the trailing backslash and the executable's own folder.
#pragma once

#include <string>

namespace ss {

// The path with a "\" appended unless it already ends in one. An empty path gives "\".
std::string WithTrailingBackslash(const std::string& path);

// The folder part of a full file path: everything up to and including the last "\" or ":".
std::string FolderOfPath(const std::string& path);

#ifdef _WIN32
// The full path of a loaded module (nullptr: the executable), however long; empty when the
// system cannot say.
std::string ModuleFileName(void* module);
// The running executable's folder, ending in "\".
std::string ExeFolder();
// Tests that build the launcher's windows in their own process point its folder elsewhere;
// an empty path restores the executable's folder.
void SetExeFolderOverride(const std::string& folder);
#endif

}  // namespace ss
