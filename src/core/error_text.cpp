#include "core/error_text.h"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <vector>

#include "core/errors.h"
#include "core/unicode.h"

namespace ss {

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result;
  if (size > 0) {
    std::vector<char> buffer(static_cast<size_t>(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    result.assign(buffer.data(), static_cast<size_t>(size));
  }
  va_end(args);
  return result;
}

ExceptionText CurrentExceptionText() {
  try {
    throw;
  } catch (const Exception& error) {
    return {error.className(), error.address(), error.message()};
  } catch (const std::bad_alloc&) {
    return {"EOutOfMemory", nullptr, kOutOfMemoryError};
  } catch (const std::exception& error) {
    return {"Exception", nullptr, error.what()};
  } catch (...) {
    return {"Exception", nullptr, kUnknownError};
  }
}

std::string ErrorBoxText(const std::string& message) {
  // The last character, not byte: UTF-8 text sorts by its code points.
  if (!message.empty() && LastCodePoint(message) > U'.') return message + ".";
  return message;
}

std::string ApplicationErrorText(const std::string& className, const std::string& moduleName,
                                 std::uint32_t codeOffset, const std::string& message) {
  const char* stop = (!message.empty() && message.back() != '.') ? "." : "";
  return Format("Exception %s in module %s at %08X.\r\n%s%s\r\n", className.c_str(),
                moduleName.c_str(), codeOffset, message.c_str(), stop);
}

std::string TrimSystemMessage(std::string text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 0x20 || text.back() == '.')) {
    text.pop_back();
  }
  return text;
}

std::string FileOpenMessage(const std::string& path, const std::string& systemText) {
  return std::string(kCannotOpenFile) + " \"" + path + "\". " + TrimSystemMessage(systemText);
}

std::string FileNamePart(const std::string& path) {
  const size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace ss
