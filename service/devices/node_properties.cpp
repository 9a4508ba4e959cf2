#include "service/devices/node_properties.h"

#include <algorithm>
#include <cstring>

#include "service/devices/multi_string.h"

namespace holvara {

std::optional<std::vector<char>> ReadNodeProperty(DeviceTree& tree, DevNode node, std::uint32_t property) {
  std::uint32_t size = 0;
  if (tree.GetRegistryProperty(node, property, nullptr, size) != kCrBufferSmall) return std::nullopt;
  std::vector<char> buffer(static_cast<std::size_t>(size) + 2, '\0');
  std::uint32_t length = size;
  if (tree.GetRegistryProperty(node, property, buffer.data(), length) != kCrSuccess) return std::nullopt;
  return buffer;
}

std::string ReadNodeText(DeviceTree& tree, DevNode node, std::uint32_t property) {
  const auto bytes = ReadNodeProperty(tree, node, property);
  return bytes ? std::string(bytes->data()) : std::string();
}

std::vector<std::string> ReadNodeTexts(DeviceTree& tree, DevNode node, std::uint32_t property) {
  const auto bytes = ReadNodeProperty(tree, node, property);
  return bytes ? SplitMultiString(*bytes) : std::vector<std::string>();
}

std::vector<std::string> ReadNodeTextsInto(DeviceTree& tree, DevNode node, std::uint32_t property,
                                           std::uint32_t bufferSize) {
  std::vector<char> buffer(bufferSize, '\0');
  std::uint32_t length = bufferSize;
  if (tree.GetRegistryProperty(node, property, buffer.data(), length) != kCrSuccess) return {};
  return SplitMultiString(std::span<const char>(buffer.data(), std::min<std::size_t>(length, buffer.size())));
}

std::string ReadDeviceId(DeviceTree& tree, DevNode node) {
  char buffer[kDeviceIdBufferSize] = {};
  if (tree.GetDeviceId(node, buffer, sizeof buffer) != kCrSuccess) return {};
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

std::string InstanceSuffix(const std::string& deviceId) {
  const auto slash = deviceId.rfind('\\');
  return slash == std::string::npos ? std::string() : deviceId.substr(slash + 1);
}

}  // namespace holvara
