// Bounded access to fixed-width text fields: a field read from the pipe may lack its NUL, and a
// text written into a field is cut so that it always ends with one.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace holvara {

// The text of a field up to its first NUL, or the whole field when it has none.
inline std::string_view ReadField(const char* field, std::size_t size) {
  const void* nul = std::memchr(field, '\0', size);
  return {field, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : size};
}

template <std::size_t N>
std::string_view ReadField(const char (&field)[N]) {
  return ReadField(field, N);
}

// Writes text into the field, cut to size - 1 characters, and zeroes the rest of the field.
inline void CopyToField(char* field, std::size_t size, std::string_view text) {
  if (size == 0) return;
  const std::size_t length = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(field, text.data(), length);
  std::memset(field + length, 0, size - length);
}

template <std::size_t N>
void CopyToField(char (&field)[N], std::string_view text) {
  CopyToField(field, N, text);
}

}  // namespace holvara
