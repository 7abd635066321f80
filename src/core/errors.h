// The error classes that the launcher raises, each with its class name and message text.
#pragma once

#include <exception>
#include <string>

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

}  // namespace ss
