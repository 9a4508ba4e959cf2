// Multi-strings: texts separated by one NUL and ended by an empty text, as registry properties
// such as hardware-ID lists come.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace holvara {

// The texts of a multi-string buffer, up to its empty text or the end of the buffer.
std::vector<std::string> SplitMultiString(std::span<const char> buffer);

// The first text, or "" when there is none.
std::string FirstText(const std::vector<std::string>& texts);

}  // namespace holvara
