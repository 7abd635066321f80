// The shell's side of the system: handing a file or link to the shell, and the per-user shell
// folders.
#pragma once

#include <string>

namespace ss {

// The per-user shell folder `name` (e.g. "AppData") from the registry as stored, or "C:\" when
// the key or value is missing or empty. Raises ERegistryException for a non-string value.
std::string ReadShellFolder(const std::string& name);

// Hands `target` (UTF-8) to the shell to open ("open", no parameters, no folder) through
// ShellExecuteW; the shell's answer is ignored. shell32 is loaded from the system folder at the
// first call.
void OpenWithShell(void* owner, const std::string& target, int show);

}  // namespace ss
