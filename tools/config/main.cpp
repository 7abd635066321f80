// suitestart-config: the release engineer's tool for the launcher's configuration file.
#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/file_read.h"
#include "tools/config/code_page.h"
#include "tools/config/config_tool.h"
#include "config/config_store.h"
#include "config/language.h"
#include "tools/config/folder_check.h"
#include "tools/config/folder_view.h"
#include "tools/config/language_check.h"
#include "tools/config/tool_io.h"

#ifdef _WIN32
#include "core/wide.h"
#endif

namespace {

using ss::tool::Print;
using ss::tool::Stream;
using Args = std::vector<std::string>;

// "suitestart-config: " and the message, on standard error.
void Complain(const std::string& message) {
  Print(Stream::Err, "suitestart-config: " + message + "\n");
}

constexpr const char* kUsage =
    "usage: suitestart-config pack CLEAR OUT | unpack FILE [OUT]"
    " | show FILE [--json] [--legacy-codepage N] [--lang TAG] | check DIR\n";

int Usage() {
  Print(Stream::Err, kUsage);
  return 2;
}

// Writes the whole file or, saying why, nothing.
bool WriteFile(const std::string& path, const std::string& bytes) {
  const std::string error = ss::tool::WriteWholeFile(path, bytes);
  if (!error.empty()) Complain("cannot write " + path + ": " + error);
  return error.empty();
}

int Pack(const std::string& clearPath, const std::string& outPath) {
  const ss::tool::PackResult packed = ss::tool::PackClearText(ss::ReadWholeFile(clearPath));
  if (!packed.ok) {
    Complain(clearPath + ": " + packed.error + "; nothing written");
    return 1;
  }
  if (packed.removedByteOrderMark) Complain(clearPath + ": removed the UTF-8 byte-order mark");
  if (!packed.convertedFrom.empty()) {
    Complain(clearPath + ": converted from " + packed.convertedFrom + " to UTF-8");
  }
  for (const std::string& warning : packed.warnings) Complain(clearPath + ": " + warning);
  return WriteFile(outPath, packed.bytes) ? 0 : 1;
}

int Unpack(const std::string& storedPath, const std::string* outPath) {
  const std::string clear = ss::tool::UnpackStoredText(ss::ReadWholeFile(storedPath));
  if (outPath) return WriteFile(*outPath, clear) ? 0 : 1;
  Print(Stream::Out, clear);
  return 0;
}

// The decoder of the code page numbered `number`, or nothing when there is no such code page.
std::optional<ss::LegacyDecoder> LegacyDecoderOf(std::string_view number) {
  unsigned codePage = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), codePage);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return ss::tool::CodePageDecoder(codePage);
}

// The folder a file lies in, as given ("." for a bare name).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// show FILE [--json] [--legacy-codepage N] [--lang TAG], the options in any order after the
// command. With --lang, the texts a user of that language sees follow, from the language files
// beside FILE.
int Show(const Args& args) {
  const std::string* storedPath = nullptr;
  const std::string* language = nullptr;
  bool json = false;
  ss::LegacyDecoder legacy = ss::DecodeWindows1252;
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--json" && !json) {
      json = true;
    } else if (arg == "--legacy-codepage" && i + 1 < args.size()) {
      std::optional<ss::LegacyDecoder> decoder = LegacyDecoderOf(args[++i]);
      if (!decoder) {
        Complain("unknown code page " + args[i]);
        return 2;
      }
      legacy = std::move(*decoder);
    } else if (arg == "--lang" && !language && i + 1 < args.size()) {
      language = &args[++i];
      if (!ss::IsLanguageTag(*language)) {
        Complain(*language + " is no language tag (such as de, de-AT or zh-Hant)");
        return 2;
      }
    } else if (!storedPath && arg.rfind("--", 0) != 0) {
      storedPath = &arg;
    } else {
      return Usage();
    }
  }
  if (!storedPath || (json && language)) return Usage();
  const std::string stored = ss::ReadWholeFile(*storedPath);
  const ss::tool::Settings settings = ss::tool::ReadSettings(stored, legacy);
  Print(Stream::Out,
        json ? ss::tool::FormatSettingsJson(settings) : ss::tool::FormatSettingsText(settings));
  if (language) {
    Print(Stream::Out,
          "\n" + ss::tool::FormatLanguageTexts(ss::tool::FolderView(FolderOf(*storedPath)),
                                               ss::ParseConfigBuffer(stored), *language));
  }
  return settings.failed ? 1 : 0;
}

int Check(const std::string& dir) {
  if (!ss::tool::IsFolder(dir)) {
    Complain(dir + " is not a folder");
    return 2;
  }
  try {
    const ss::tool::FolderReport report =
        ss::tool::CheckLauncherFolder(dir, ss::tool::SystemSignatureVerifier());
    Print(Stream::Out, ss::tool::FormatFolderReport(report));
    return report.startsCleanly() ? 0 : 1;
  } catch (const std::exception& error) {
    // A folder that vanishes or cannot be listed while it is checked.
    Complain("cannot check " + dir + ": " + error.what());
    return 2;
  }
}

// The command line in UTF-8, the program's name first.
int Run(const Args& args) {
  if (args.size() < 2) return Usage();
  const std::string& command = args[1];
  try {
    if (command == "pack" && args.size() == 4) return Pack(args[2], args[3]);
    if (command == "unpack" && (args.size() == 3 || args.size() == 4)) {
      return Unpack(args[2], args.size() == 4 ? &args[3] : nullptr);
    }
    if (command == "show") return Show(args);
    if (command == "check" && args.size() == 3) return Check(args[2]);
  } catch (const ss::Exception& error) {
    Print(Stream::Err, error.message() + "\n");
    return 2;
  }
  return Usage();
}

}  // namespace

#ifdef _WIN32
// The arguments as UTF-16, whatever the code page (MinGW: -municode).
int wmain(int argc, wchar_t** argv) {
  Args args;
  for (int i = 0; i < argc; ++i) args.push_back(ss::Narrow(argv[i]));
  return Run(args);
}
#else
int main(int argc, char** argv) {
  return Run(Args(argv, argv + argc));
}
#endif
