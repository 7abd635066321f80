// The system's own text for a failure code.
#pragma once

#include <string>

namespace ss {

// The system's text for `code` in its language (FormatMessageW), in UTF-8.
std::string SystemErrorText(unsigned long code);

}  // namespace ss
