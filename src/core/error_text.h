// Texts of the two error boxes and of the file-open message.
#pragma once

#include <cstdint>
#include <string>

namespace ss {

// printf-style formatting of byte strings; a "%s" argument is inserted as text and never
// interpreted as a format itself.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// What the error boxes tell of an exception: its class name as the user sees it, the code
// address that raised it (nullptr when unknown) and its message.
struct ExceptionText {
  std::string className;
  const void* address = nullptr;
  std::string message;
};

// The exception in flight (call inside a catch block) as the boxes tell it: the launcher's own
// errors with their class, out of memory as "EOutOfMemory", any other with its what() text, and
// anything else as "Unknown error".
ExceptionText CurrentExceptionText();

// Text of the box of a window error: the message, with a full stop added when its last
// byte sorts after ".".
std::string ErrorBoxText(const std::string& message);

// Text of the "Application Error" box for an error that ends the start-up.
std::string ApplicationErrorText(const std::string& className, const std::string& moduleName,
                                 std::uint32_t codeOffset, const std::string& message);

// The system's text for a failure, trimmed of trailing bytes 0x00 to 0x20 and full stops.
std::string TrimSystemMessage(std::string text);

// "Cannot open file "%s". %s".
std::string FileOpenMessage(const std::string& path, const std::string& systemText);

// The file-name part of a path: everything after the last "\", "/" or ":".
std::string FileNamePart(const std::string& path);

}  // namespace ss
