// Text comparisons of the device search: hardware IDs and class names compare without regard to
// case (ASCII only, as the system's IDs are ASCII).
#pragma once

#include <string_view>

namespace holvara {

bool EqualIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
// The first `count` characters of `text` equal those of `expected`, ignoring case; a text
// shorter than that does not match.
bool FirstCharsEqualIgnoringCase(std::string_view text, std::string_view expected, std::size_t count);
// A search pattern matches a hardware ID when the ID begins with it; a final "*" is dropped
// first, so "*" alone matches every ID.
bool PatternMatches(std::string_view pattern, std::string_view hardwareId);

}  // namespace holvara
