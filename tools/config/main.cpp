// suitestart-config: the release engineer's tool for the launcher's configuration file.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "core/errors.h"
#include "core/file_read.h"
#include "tools/config/code_page.h"
#include "tools/config/config_tool.h"
#include "tools/config/folder_check.h"

namespace {

constexpr const char* kUsage =
    "usage: suitestart-config pack CLEAR OUT | unpack FILE [OUT]"
    " | show FILE [--json] [--legacy-codepage N] | check DIR\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

bool WriteFile(const char* path, const std::string& bytes) {
  FILE* file = std::fopen(path, "wb");
  if (!file) {
    std::fprintf(stderr, "suitestart-config: cannot write %s: %s\n", path, std::strerror(errno));
    return false;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return (std::fclose(file) == 0) && ok;
}

int Pack(const char* clearPath, const char* outPath) {
  const ss::tool::PackResult packed = ss::tool::PackClearText(ss::ReadWholeFile(clearPath));
  if (!packed.ok) {
    std::fprintf(stderr, "suitestart-config: %s: %s; nothing written\n", clearPath,
                 packed.error.c_str());
    return 1;
  }
  if (packed.removedByteOrderMark) {
    std::fprintf(stderr, "suitestart-config: %s: removed the UTF-8 byte-order mark\n", clearPath);
  }
  for (const std::string& warning : packed.warnings) {
    std::fprintf(stderr, "suitestart-config: %s: %s\n", clearPath, warning.c_str());
  }
  return WriteFile(outPath, packed.bytes) ? 0 : 1;
}

int Unpack(const char* storedPath, const char* outPath) {
  const std::string clear = ss::tool::UnpackStoredText(ss::ReadWholeFile(storedPath));
  if (outPath) return WriteFile(outPath, clear) ? 0 : 1;
  std::fwrite(clear.data(), 1, clear.size(), stdout);
  return 0;
}

// The decoder of the code page numbered `number`, or nothing when there is no such code page.
std::optional<ss::LegacyDecoder> LegacyDecoderOf(std::string_view number) {
  unsigned codePage = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), codePage);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return ss::tool::CodePageDecoder(codePage);
}

// show FILE [--json] [--legacy-codepage N], the options in any order after the command.
int Show(int argc, char** argv) {
  const char* storedPath = nullptr;
  bool json = false;
  ss::LegacyDecoder legacy = ss::DecodeWindows1252;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--json" && !json) {
      json = true;
    } else if (arg == "--legacy-codepage" && i + 1 < argc) {
      std::optional<ss::LegacyDecoder> decoder = LegacyDecoderOf(argv[++i]);
      if (!decoder) {
        std::fprintf(stderr, "suitestart-config: unknown code page %s\n", argv[i]);
        return 2;
      }
      legacy = std::move(*decoder);
    } else if (!storedPath && arg.rfind("--", 0) != 0) {
      storedPath = argv[i];
    } else {
      return Usage();
    }
  }
  if (!storedPath) return Usage();
  const ss::tool::Settings settings = ss::tool::ReadSettings(ss::ReadWholeFile(storedPath), legacy);
  const std::string out =
      json ? ss::tool::FormatSettingsJson(settings) : ss::tool::FormatSettingsText(settings);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return settings.failed ? 1 : 0;
}

int Check(const char* dir) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) {
    std::fprintf(stderr, "suitestart-config: %s is not a folder\n", dir);
    return 2;
  }
  try {
    const ss::tool::FolderReport report =
        ss::tool::CheckLauncherFolder(dir, ss::tool::SystemSignatureVerifier());
    const std::string out = ss::tool::FormatFolderReport(report);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return report.startsCleanly() ? 0 : 1;
  } catch (const std::exception& error) {
    // A folder that vanishes or cannot be listed while it is checked.
    std::fprintf(stderr, "suitestart-config: cannot check %s: %s\n", dir, error.what());
    return 2;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  try {
    if (command == "pack" && argc == 4) return Pack(argv[2], argv[3]);
    if (command == "unpack" && (argc == 3 || argc == 4)) {
      return Unpack(argv[2], argc == 4 ? argv[3] : nullptr);
    }
    if (command == "show") return Show(argc, argv);
    if (command == "check" && argc == 3) return Check(argv[2]);
  } catch (const ss::Exception& error) {
    std::fprintf(stderr, "%s\n", error.message().c_str());
    return 2;
  }
  return Usage();
}
