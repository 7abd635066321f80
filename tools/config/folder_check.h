// suitestart-config check: a launcher folder examined the way the launcher will use it.
#pragma once

#include <string>
#include <vector>

#include "tools/config/launcher_signature.h"

namespace ss::tool {

// An error means the launcher would stop, show an error box or start without its skin;
// a warning means it starts, but something the user can click will not work or look right.
enum class Severity { Error, Warning };

struct Problem {
  Severity severity;
  std::string text;  // what is wrong, what the launcher will do, what to do about it
};

struct FolderReport {
  std::vector<std::string> facts;  // what was found: configuration, layout, skin folder
  std::vector<Problem> problems;   // in the order the launcher meets them
  int count(Severity severity) const;
  // True when the launcher would start cleanly: no errors, warnings allowed.
  bool startsCleanly() const { return count(Severity::Error) == 0; }
};

// Checks the launcher folder `dir`: the exe's signature (through `verify`), its configuration,
// icon, skin (with its variant folders for other display scales), programs and links. Files are
// found without regard to letter case, as Windows finds them. `dir` must be a folder.
FolderReport CheckLauncherFolder(const std::string& dir, const SignatureVerifier& verify);

// The report as printed: the facts, one "error: " or "warning: " line per problem, a summary.
std::string FormatFolderReport(const FolderReport& report);

}  // namespace ss::tool
