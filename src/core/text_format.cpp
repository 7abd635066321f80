#include "core/text_format.h"

namespace ss {

std::string FormatText(const std::string& format, const std::vector<std::string>& arguments) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (format[i + 1] == 's' && next < arguments.size()) {
        out += arguments[next++];
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

}  // namespace ss
