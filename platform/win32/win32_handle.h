// Owns one kernel handle and closes it when it goes.
#pragma once

#include <windows.h>

#include <utility>

namespace holvara {

class Win32Handle {
 public:
  Win32Handle() = default;
  explicit Win32Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~Win32Handle() {
    if (handle_) CloseHandle(handle_);
  }
  Win32Handle(Win32Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Win32Handle& operator=(Win32Handle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace holvara
