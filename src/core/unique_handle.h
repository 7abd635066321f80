// A move-only owner of one system handle, freed by its kind's traits.
#pragma once

#include <utility>

namespace ss {

// Owns one handle and frees it with Traits::Free. Traits::Invalid() is the value that owns
// nothing (nullptr for most handles, INVALID_HANDLE_VALUE for files and searches). No implicit
// conversion to the raw handle: get() lends it, release() gives it away (after SetWindowRgn the
// window owns the region).
template <class H, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  H release() { return std::exchange(handle_, Traits::Invalid()); }
  void reset(H handle = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Free(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = Traits::Invalid();
};

}  // namespace ss
