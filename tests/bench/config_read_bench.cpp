// Benchmark: reading huge configuration files (64 MiB) the launcher's way, one pass into records,
// against a line-list reading (a string per line, kept again per section, names upper-cased per
// lookup) of the same rules, on 16 MiB of each kind.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "config/global_vars.h"
#include "config/parse_integer.h"
#include "bench_clock.h"

namespace {

using namespace ss;

std::string Scramble(const std::string& clear) {
  std::string stored = clear;
  for (char& c : stored) {
    if (c != '\r' && c != '\n') c = static_cast<char>(~static_cast<unsigned char>(c));
  }
  return stored;
}

constexpr const char* kConfig = "[SYSTEM]\r\nName=Bench\r\nSkin=0\r\nResFolder=test\r\n";

// The three shapes of the robustness tests, `size` bytes each.
struct Input {
  const char* name;
  std::string stored;
};

std::vector<Input> Inputs(size_t size) {
  std::vector<Input> inputs;
  std::string stray = Scramble(kConfig);
  const std::string junk = Scramble("=\nx=y\n[\n; note\nbare\n#k=v\n\n");
  while (stray.size() < size) stray += junk;
  inputs.push_back({"stray lines", std::move(stray)});
  std::string breaks;
  while (breaks.size() < size) breaks += "\r\n\n\r\r\r\n\n";
  inputs.push_back({"line breaks", breaks + Scramble(kConfig)});
  inputs.push_back(
      {"one name line", Scramble(kConfig) + Scramble("Name=" + std::string(size, 'n'))});
  return inputs;
}

// The launcher's two readings of one start: the title, then the settings record.
void LauncherWay(const std::string& stored) {
  const ConfigStore first = ParseConfigBuffer(stored);
  const std::string title = ReadValue(first, kSystemSection, TitleSetting().key, "");
  TGlobalVars vars;
  ReadGlobalVars(ParseConfigBuffer(stored), vars);
  if (title.empty() || vars.ResFolder != "test") std::printf("  wrong settings!\n");
}

// The same two readings through lists of lines.
std::string LineListRead(const std::vector<ConfigSection>& sections, const char* key) {
  for (auto s = sections.rbegin(); s != sections.rend(); ++s) {
    if (UpperCaseName(s->name) != kSystemSection) continue;
    for (auto line = s->lines.rbegin(); line != s->lines.rend(); ++line) {
      const size_t eq = line->find('=');
      if (eq != std::string::npos && UpperCaseName(line->substr(0, eq)) == UpperCaseName(key)) {
        return line->substr(eq + 1);
      }
    }
    return "";
  }
  return "";
}

std::vector<ConfigSection> LineListParse(const std::string& stored) {
  std::vector<std::string> lines = SplitTextLines(stored);
  for (std::string& line : lines) line = UnscrambleLine(line);
  std::vector<ConfigSection> sections;
  for (const std::string& line : lines) {
    const std::string_view t = TrimControlBytes(line);
    if (t.empty() || t.front() == ';') continue;
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      sections.push_back({std::string(TrimControlBytes(t.substr(1, t.size() - 2))), {}});
    } else if (!sections.empty()) {
      const size_t eq = t.find('=');
      sections.back().lines.push_back(eq == std::string_view::npos
                                          ? std::string(t)
                                          : std::string(TrimControlBytes(t.substr(0, eq))) + "=" +
                                                std::string(TrimControlBytes(t.substr(eq + 1))));
    }
  }
  return sections;
}

void LineListWay(const std::string& stored) {
  const std::string title = LineListRead(LineListParse(stored), TitleSetting().key);
  const std::vector<ConfigSection> second = LineListParse(stored);
  std::string resFolder;
  for (const Setting& setting : kSettings) {
    if (setting.kind == SettingKind::Title) continue;
    const std::string value = LineListRead(second, setting.key);
    if (setting.number) ParseInteger(value);
    if (setting.text == &TGlobalVars::ResFolder) resFolder = value;
  }
  if (title.empty() || resFolder != "test") std::printf("  wrong settings!\n");
}

template <typename Way>
double Time(Way way, const std::string& stored) {
  const double start = Now();
  way(stored);
  return (Now() - start) * 1000;
}

}  // namespace

int main() {
  std::printf("the launcher's two readings of one start (title, then settings):\n");
  for (const Input& input : Inputs(64u << 20)) {
    std::printf("  %-14s 64 MiB  records %9.1f ms\n", input.name, Time(LauncherWay, input.stored));
  }
  for (const Input& input : Inputs(16u << 20)) {
    const double records = Time(LauncherWay, input.stored);
    const double lines = Time(LineListWay, input.stored);
    std::printf("  %-14s 16 MiB  records %9.1f ms  line lists %9.1f ms  ratio %6.1fx\n", input.name,
                records, lines, lines / records);
  }
  return 0;
}
