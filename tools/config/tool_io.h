// suitestart-config's files and streams: UTF-8 paths and texts, in whatever the system takes.
#pragma once

#include <string>
#include <string_view>

namespace ss::tool {

enum class Stream { Out, Err };

// Writes UTF-8 text to standard output or error: as UTF-16 to a Windows console, so that it
// shows right in any code page; as the UTF-8 bytes to a pipe, a file or a Linux terminal.
void Print(Stream stream, std::string_view text);

// Writes `bytes` to the file `path` whole or not at all: into a file beside it first, which
// then replaces it. An empty result, or why it failed.
std::string WriteWholeFile(const std::string& path, std::string_view bytes);

// True when `path` names a folder.
bool IsFolder(const std::string& path);

}  // namespace ss::tool
