// The system's own text for a failure code.
#pragma once

#include <string>

namespace ss {

// FormatMessageA's text for `code` in the system's language, as the system gives it.
std::string SystemErrorText(unsigned long code);

}  // namespace ss
