// The hardware-ID prefixes a search code selects, joined in ascending bit order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ports/device_tree.h"

namespace holvara {

// The first hardware IDs of the IDE ATA/ATAPI controllers present, at most 256 bytes as a
// multi-string (each ID with its NUL, plus the final NUL).
std::vector<std::string> BuildIdeControllerList(DeviceTree& tree);

// The search list for the code; bits above 0x40 select nothing.
std::vector<std::string> BuildSearchList(std::uint32_t searchCode, const std::vector<std::string>& ideControllers);

}  // namespace holvara
