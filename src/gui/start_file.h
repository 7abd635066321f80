// Starting a file or link through the shell, owned by the application window, with the busy
// cursor shown meanwhile.
#pragma once

#include <functional>
#include <string>

namespace ss {

// Opens a file or link through the shell ("open", shown as the system's default), with the
// application window as owner and the busy cursor shown meanwhile. The shell's answer is
// ignored: a missing target produces no message of ours.
void StartFile(const std::string& target);

// How StartFile reaches the shell: OpenWithShell(owner, target, show command). Tests replace it
// to see the calls; an empty function restores it.
using ShellOpenFunction = std::function<void(void* owner, const std::string& target, int show)>;
void SetShellOpenFunction(ShellOpenFunction function);

}  // namespace ss
