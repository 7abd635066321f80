// Host build: legacy code pages decoded by glibc's iconv, which names them "CP1251", "CP932", ...
#include <iconv.h>

#include <cerrno>
#include <memory>
#include <string>
#include <type_traits>

#include "tools/config/code_page.h"

namespace ss::tool {

namespace {

using Converter = std::shared_ptr<std::remove_pointer_t<iconv_t>>;

// Converts piece by piece: iconv stops at a byte it rejects (EILSEQ, or EINVAL for a lead byte
// at the end), which then stands for its own code point, and goes on after it.
std::string Decode(const Converter& converter, std::string_view bytes) {
  iconv_t cd = converter.get();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // the initial state, whatever came before
  std::string out;
  char* in = const_cast<char*>(bytes.data());  // iconv does not write to its input
  size_t inLeft = bytes.size();
  char buffer[256];
  for (;;) {
    char* at = buffer;
    size_t outLeft = sizeof buffer;
    const size_t result = inLeft > 0 ? iconv(cd, &in, &inLeft, &at, &outLeft)
                                     : iconv(cd, nullptr, nullptr, &at, &outLeft);
    const int error = errno;
    out.append(buffer, static_cast<size_t>(at - buffer));
    if (result != static_cast<size_t>(-1)) {
      if (inLeft == 0 && at == buffer) break;  // everything converted and flushed
      continue;
    }
    if (error == E2BIG) continue;
    if (inLeft == 0) break;  // a failed flush: no byte to stand for itself
    AppendUtf8(out, static_cast<unsigned char>(*in));
    ++in;
    --inLeft;
  }
  return out;
}

}  // namespace

std::optional<LegacyDecoder> CodePageDecoder(unsigned codePage) {
  const std::string name = "CP" + std::to_string(codePage);
  const iconv_t cd = iconv_open("UTF-8", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  const Converter converter(cd, [](iconv_t open) { iconv_close(open); });
  return LegacyDecoder([converter](std::string_view bytes) { return Decode(converter, bytes); });
}

}  // namespace ss::tool
