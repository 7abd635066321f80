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

// How StartFile reaches the shell: ShellExecuteA(owner, "open", target, no parameters, no
// folder, show command). Tests replace it to see the calls; an empty function restores it.
using ShellOpenFunction = std::function<void(void* owner, const std::string& target, int show)>;
void SetShellOpenFunction(ShellOpenFunction function);

// Nestable hourglass cursor: shown from the first BeginBusy until the matching EndBusy.
void BeginBusy();
void EndBusy();
int BusyCount();

}  // namespace ss
