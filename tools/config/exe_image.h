// suitestart-config check: the launcher exe read as the Windows loader reads it, before it runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ss::tool {

// The little-endian number of `size` bytes at `at`, which the caller has checked lie inside.
std::uint64_t ReadLittleEndian(std::string_view bytes, std::uint64_t at, int size);

// Why Windows would refuse to load the PE file `file` as the launcher, a 64-bit x86 program:
// headers, section table or a section's data outside the file, another machine or optional
// header kind, an image size too small for its sections. Empty when none of these holds.
std::string ExeLoadProblem(std::string_view file);

}  // namespace ss::tool
