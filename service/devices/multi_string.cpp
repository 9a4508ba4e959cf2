#include "service/devices/multi_string.h"

#include <algorithm>

namespace holvara {

namespace {

// Calls visit(begin, end) for each text up to the empty text that ends the list (or the buffer).
template <typename Visit>
void ForEachText(std::span<const char> buffer, Visit&& visit) {
  auto begin = buffer.begin();
  while (begin != buffer.end() && *begin != '\0') {
    const auto end = std::find(begin, buffer.end(), '\0');
    visit(begin, end);
    begin = end == buffer.end() ? end : end + 1;
  }
}

}  // namespace

std::vector<std::string> SplitMultiString(std::span<const char> buffer) {
  // Counted first, so that each text is built once in place: the device search splits every
  // node's hardware IDs, and growing the list moved the texts built so far.
  std::size_t count = 0;
  ForEachText(buffer, [&](auto, auto) { ++count; });
  std::vector<std::string> texts;
  texts.reserve(count);
  ForEachText(buffer, [&](auto begin, auto end) { texts.emplace_back(begin, end); });
  return texts;
}

std::string FirstText(const std::vector<std::string>& texts) { return texts.empty() ? std::string() : texts.front(); }

}  // namespace holvara
