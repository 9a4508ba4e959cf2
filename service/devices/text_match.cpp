#include "service/devices/text_match.h"

#include <algorithm>

namespace holvara {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool FirstCharsEqualIgnoringCase(std::string_view text, std::string_view expected, std::size_t count) {
  const std::string_view wanted = expected.substr(0, std::min(count, expected.size()));
  return StartsWithIgnoringCase(text, wanted);
}

bool PatternMatches(std::string_view pattern, std::string_view hardwareId) {
  if (!pattern.empty() && pattern.back() == '*') pattern.remove_suffix(1);
  return StartsWithIgnoringCase(hardwareId, pattern);
}

}  // namespace holvara
