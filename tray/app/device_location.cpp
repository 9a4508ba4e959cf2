#include "tray/app/device_location.h"

#include <optional>

namespace holvara {
namespace {

// The character right after the first occurrence of key, less '0'; the end of the text reads as
// a NUL, just as the field's terminator would.
std::optional<std::uint8_t> DigitAfter(std::string_view text, std::string_view key) {
  const std::size_t at = text.find(key);
  if (at == std::string_view::npos) return std::nullopt;
  const std::size_t next = at + key.size();
  const char c = next < text.size() ? text[next] : '\0';
  return static_cast<std::uint8_t>(c - '0');
}

std::uint8_t TwoDigits(char tens, char ones) { return static_cast<std::uint8_t>((tens - '0') * 10 + (ones - '0')); }

}  // namespace

DeviceLocation ParseDeviceLocation(std::string_view deviceObjectName, std::string_view instanceSuffix,
                                   bool suffixHasTerminator) {
  DeviceLocation location;
  if (auto host = DigitAfter(deviceObjectName, "Port")) {
    location.host = *host;
  } else if (suffixHasTerminator && instanceSuffix.size() >= 6) {
    const std::string_view last6 = instanceSuffix.substr(instanceSuffix.size() - 6);
    location.host = TwoDigits(last6[0], last6[1]);
    location.target = TwoDigits(last6[2], last6[3]);
    location.port = TwoDigits(last6[4], last6[5]);
  }
  if (auto port = DigitAfter(deviceObjectName, "Path")) location.port = *port;
  if (auto target = DigitAfter(deviceObjectName, "Target")) location.target = *target;
  return location;
}

}  // namespace holvara
