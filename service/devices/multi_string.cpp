#include "service/devices/multi_string.h"

#include <algorithm>

namespace holvara {

std::vector<std::string> SplitMultiString(std::span<const char> buffer) {
  std::vector<std::string> texts;
  auto begin = buffer.begin();
  while (begin != buffer.end() && *begin != '\0') {
    const auto end = std::find(begin, buffer.end(), '\0');
    texts.emplace_back(begin, end);
    begin = end == buffer.end() ? end : end + 1;
  }
  return texts;
}

std::string FirstText(const std::vector<std::string>& texts) { return texts.empty() ? std::string() : texts.front(); }

}  // namespace holvara
