// The notice of a rebuilt device list: posted to the main window's last active popup after every
// refresh, so an open remove-device dialog refills its list from it.
#pragma once

#include <cstdint>

namespace holvara {

inline constexpr std::uint32_t kDeviceListChangedMessage = 0x0400 + 228;

}  // namespace holvara
