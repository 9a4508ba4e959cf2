#include "service/devices/search_list.h"

#include "common/protocol.h"
#include "service/devices/node_properties.h"
#include "service/devices/supported_hardware.h"
#include "service/devices/text_match.h"
#include "service/devices/tree_walk.h"

namespace holvara {
namespace {

constexpr std::string_view kIdeControllerClassGuid = "{4D36E96A-E325-11CE-BFC1-08002BE10318}";
constexpr std::size_t kIdeControllerListBytes = 256;

bool IsIdeController(DeviceTree& tree, DevNode node) {
  return FirstCharsEqualIgnoringCase(ReadNodeText(tree, node, kCmDrpClassGuid), kIdeControllerClassGuid, 38) &&
         FirstCharsEqualIgnoringCase(ReadNodeText(tree, node, kCmDrpClass), "hdc", 3) &&
         FirstCharsEqualIgnoringCase(ReadNodeText(tree, node, kCmDrpService), "atapi", 3);
}

void Append(std::vector<std::string>& list, std::span<const std::string_view> texts) {
  list.insert(list.end(), texts.begin(), texts.end());
}

}  // namespace

std::vector<std::string> BuildIdeControllerList(DeviceTree& tree) {
  std::vector<std::string> list;
  std::size_t bytes = 1;  // the list's final NUL
  WalkDeviceTree(tree, [&](DevNode node) {
    const auto hardwareIds = ReadNodeTexts(tree, node, kCmDrpHardwareId);
    if (hardwareIds.empty() || !IsIdeController(tree, node)) return;
    const std::string& id = hardwareIds.front();
    if (bytes + id.size() + 1 > kIdeControllerListBytes) return;
    bytes += id.size() + 1;
    list.push_back(id);
  });
  return list;
}

std::vector<std::string> BuildSearchList(std::uint32_t searchCode, const std::vector<std::string>& ideControllers) {
  std::vector<std::string> list;
  if (searchCode & SEARCH_ALL_DEVICES) list.emplace_back("*");
  if (searchCode & SEARCH_VENDOR_USB_1394) Append(list, supported_hardware::VendorUsb1394());
  if (searchCode & SEARCH_IDE_CONTROLLERS) list.insert(list.end(), ideControllers.begin(), ideControllers.end());
  if (searchCode & SEARCH_ALL_USB) list.emplace_back("USB\\*");
  if (searchCode & SEARCH_ALL_1394) list.emplace_back("1394\\*");
  if (searchCode & SEARCH_VENDOR_ADAPTERS) Append(list, supported_hardware::VendorAdapters());
  if (searchCode & SEARCH_SATA_ADAPTERS) Append(list, supported_hardware::SataAdapters());
  return list;
}

}  // namespace holvara
