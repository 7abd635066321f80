// Handing files and links to the shell, the per-user shell folders, and the busy cursor.
#pragma once

#include <functional>
#include <string>

namespace ss {

// The per-user shell folder `name` (e.g. "AppData") from the registry as stored, or "C:\" when
// the key or value is missing or empty. Raises ERegistryException for a non-string value.
std::string ReadShellFolder(const std::string& name);

// Opens a file or link through the shell ("open"), with the busy cursor shown meanwhile. The
// shell's answer is ignored: a missing target produces no message of ours.
void StartFile(const std::string& target);

// Hands `target` to the shell to open ("open", no parameters, no folder), as ShellExecuteA does;
// the shell's answer is ignored. shell32 is loaded from the system folder at the first call.
void OpenWithShell(void* owner, const std::string& target, int show);

// How StartFile reaches the shell: OpenWithShell(owner, target, show command). Tests replace it
// to see the calls; an empty function restores it.
using ShellOpenFunction = std::function<void(void* owner, const std::string& target, int show)>;
void SetShellOpenFunction(ShellOpenFunction function);

// Nestable hourglass cursor: shown from the first BeginBusy until the matching EndBusy.
void BeginBusy();
void EndBusy();
int BusyCount();

}  // namespace ss
