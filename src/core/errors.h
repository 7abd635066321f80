// The error classes that the launcher raises, each with its class name and message text.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace ss {

// Base of every error the launcher raises. Carries the message and the code address that
// raised it (shown by the start-up error box).
class Exception : public std::exception {
 public:
  Exception(std::string message, const void* address)
      : message_(std::move(message)), address_(address) {}
  // The class name as shown to the user, e.g. "EFOpenError".
  virtual const char* className() const noexcept { return "Exception"; }
  const std::string& message() const noexcept { return message_; }
  // Code address of the constructor's caller: the place that raised the error.
  const void* address() const noexcept { return address_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
  const void* address_;
};

// Each leaf constructor is kept out of line so that its return address lies in the code that
// raised the error, not in a base constructor.
#define SS_DECLARE_ERROR(Name)                                                     \
  class Name : public Exception {                                                  \
   public:                                                                         \
    [[gnu::noinline]] explicit Name(std::string message)                           \
        : Exception(std::move(message),                                            \
                    __builtin_extract_return_addr(__builtin_return_address(0))) {} \
    const char* className() const noexcept override { return #Name; }              \
  };

SS_DECLARE_ERROR(EFOpenError)
SS_DECLARE_ERROR(EConvertError)
SS_DECLARE_ERROR(EReadError)
SS_DECLARE_ERROR(EInvalidGraphic)
SS_DECLARE_ERROR(ERegistryException)
SS_DECLARE_ERROR(EOutOfResources)

#undef SS_DECLARE_ERROR

// The launcher's own error messages, as raised (the boxes add their full stop). The code that
// raises them and the configuration tool that foretells them both take them from here.
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kBitmapNotValid = "Bitmap image is not valid";
inline constexpr const char* kIconNotValid = "Icon image is not valid";
inline constexpr const char* kOutOfMemoryError = "Out of memory";
inline constexpr const char* kUnknownError = "Unknown error";
// The start of FileOpenMessage's text: "Cannot open file "path". <the system's text>".
inline constexpr const char* kCannotOpenFile = "Cannot open file";
// EConvertError of a text that is no integer; concatenated, so that any byte survives.
inline std::string NotAnIntegerMessage(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid integer value";
}
// ERegistryException of a registry value that is not text.
inline std::string InvalidDataTypeMessage(std::string_view name) {
  return "Invalid data type for '" + std::string(name) + "'";
}

}  // namespace ss
