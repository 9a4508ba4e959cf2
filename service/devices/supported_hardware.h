// The product's supported-hardware data: the fixed search lists and the IEEE company identifier
// that IEEE 1394 storage devices of the vendor carry in their unique IDs.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace holvara::supported_hardware {

// Search code 0x02: the vendor's USB and IEEE 1394 storage products.
std::span<const std::string_view> VendorUsb1394();
// Search code 0x20: the vendor's IEEE 1394, PC Card and PCI adapters.
std::span<const std::string_view> VendorAdapters();
// Search code 0x40: the supported PCI SATA host adapters.
std::span<const std::string_view> SataAdapters();

// The vendor's 24-bit IEEE company identifier.
inline constexpr std::uint32_t kVendorOui = 0x0C3A7E;

}  // namespace holvara::supported_hardware
