// Where a device sits: host adapter, port on the host, and target behind the port (its place in a
// port-multiplier unit), read from the device object name or the instance suffix.
#pragma once

#include <cstdint>
#include <string_view>

namespace holvara {

struct DeviceLocation {
  std::uint8_t host = 0;
  std::uint8_t port = 0;
  std::uint8_t target = 0;
};

// deviceObjectName and instanceSuffix are the texts of their fields, already bounded. A suffix
// that filled its whole field without a terminator (suffixHasTerminator false) yields nothing.
// Values are digit characters minus '0' taken modulo 256, so a non-digit gives 128 or more.
DeviceLocation ParseDeviceLocation(std::string_view deviceObjectName, std::string_view instanceSuffix,
                                   bool suffixHasTerminator);

}  // namespace holvara
