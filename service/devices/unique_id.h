// Whether an IEEE 1394 storage device's instance suffix (its 64-bit unique ID in 16 hexadecimal
// digits) belongs to one of the vendor's own devices.
#pragma once

#include <cstdint>
#include <string_view>

namespace holvara {

bool PassesUniqueIdTest(std::string_view instanceSuffix, std::uint32_t vendorOui);

}  // namespace holvara
