// The framework's text formats: "%s" takes the next string argument, "%%" is a percent sign.
#pragma once

#include <string>
#include <vector>

namespace ss {

// Fills a format with string arguments. Arguments are inserted as text and never interpreted;
// any other "%" sequence, and a "%s" without an argument left, stays as it stands.
std::string FormatText(const std::string& format, const std::vector<std::string>& arguments);

}  // namespace ss
