// Reading a device node's registry properties and instance ID the way the device search does:
// the size first, then into a buffer of that size plus two zero bytes, so that every text read
// ends with a NUL whatever the property holds.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ports/device_tree.h"

namespace holvara {

// The property's bytes, or nullopt when the node does not have it or the read fails.
std::optional<std::vector<char>> ReadNodeProperty(DeviceTree& tree, DevNode node, std::uint32_t property);
// A text property up to its first NUL; "" when absent.
std::string ReadNodeText(DeviceTree& tree, DevNode node, std::uint32_t property);
// A multi-string property (hardware IDs); empty when absent.
std::vector<std::string> ReadNodeTexts(DeviceTree& tree, DevNode node, std::uint32_t property);
// A multi-string property read in one call into a buffer of `bufferSize` bytes; empty when it is
// absent or does not fit.
std::vector<std::string> ReadNodeTextsInto(DeviceTree& tree, DevNode node, std::uint32_t property,
                                           std::uint32_t bufferSize);
// The device instance ID (at most 259 characters); "" when it cannot be read.
std::string ReadDeviceId(DeviceTree& tree, DevNode node);
// The part of an instance ID after its last backslash; "" when nothing follows it or there is none.
std::string InstanceSuffix(const std::string& deviceId);

}  // namespace holvara
