// What the fuzz targets share: a check that stays on in optimised builds, a reader that takes
// the fuzzer's bytes piece by piece, and a debugger output that keeps nothing (a long run must
// not grow).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>

#include "platform/ports/debug_output.h"

// A broken invariant ends the run with the condition named, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)

namespace holvara::fuzz {

class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

  bool empty() const { return rest_.empty(); }
  std::size_t left() const { return rest_.size(); }

  // Up to count bytes; fewer when the input ends.
  std::span<const std::uint8_t> Take(std::size_t count) {
    const auto piece = rest_.first(std::min(count, rest_.size()));
    rest_ = rest_.subspan(piece.size());
    return piece;
  }
  // One byte, 0 once the input has ended.
  std::uint8_t Byte() {
    const auto piece = Take(1);
    return piece.empty() ? 0 : piece[0];
  }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
  std::string_view Text(std::size_t count) {
    const auto piece = Take(count);
    return {reinterpret_cast<const char*>(piece.data()), piece.size()};
  }

 private:
  std::span<const std::uint8_t> rest_;
};

class DiscardingDebugOutput : public DebugOutput {
 public:
  void Write(std::string_view) override {}
};

// True when the field holds a NUL and every byte after the first NUL is zero as well.
inline bool IsCleanField(const char* field, std::size_t size) {
  const void* nul = std::memchr(field, '\0', size);
  if (nul == nullptr) return false;
  const char* rest = static_cast<const char*>(nul);
  return std::all_of(rest, field + size, [](char c) { return c == '\0'; });
}

template <std::size_t N>
bool IsCleanField(const char (&field)[N]) {
  return IsCleanField(field, N);
}

inline bool IsTerminated(const char* field, std::size_t size) { return std::memchr(field, '\0', size) != nullptr; }

template <std::size_t N>
bool IsTerminated(const char (&field)[N]) {
  return IsTerminated(field, N);
}

}  // namespace holvara::fuzz
