#include "service/devices/unique_id.h"

namespace holvara {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The leading hexadecimal digits of at most eight characters; reading stops at the first other one.
std::uint32_t ReadHex(std::string_view text) {
  std::uint32_t value = 0;
  for (const char c : text.substr(0, 8)) {
    const int digit = HexDigit(c);
    if (digit < 0) break;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

bool IsUsable(std::uint32_t half) { return half != 0 && half != 0xFFFFFFFFu; }

}  // namespace

bool PassesUniqueIdTest(std::string_view instanceSuffix, std::uint32_t vendorOui) {
  const std::uint32_t high = ReadHex(instanceSuffix);
  const std::uint32_t low = instanceSuffix.size() > 8 ? ReadHex(instanceSuffix.substr(8)) : 0;
  if (!IsUsable(high) || !IsUsable(low)) return false;
  const std::uint32_t company = vendorOui << 8;
  return high == company + 0xB1 || high == company;
}

}  // namespace holvara
