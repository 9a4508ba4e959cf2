// Device information sets of SetupAPI: the present devices that expose a device interface class,
// or all present devices of one enumerator, with their interfaces and registry properties.
// Results are Win32 error codes (0 on success), as GetLastError gives them after each call.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ports/device_tree.h"

namespace holvara {

// Same layout as the system's GUID.
struct Guid {
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];

  friend bool operator==(const Guid&, const Guid&) = default;
};
static_assert(sizeof(Guid) == 16);

inline constexpr Guid kGuidDevInterfaceDisk{
    0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
inline constexpr Guid kGuidDevInterfaceCdRom{
    0x53F56308, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
inline constexpr Guid kGuidDevInterfaceWriteOnceDisk{
    0x53F5630C, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};

// Win32 error codes the logic tells apart.
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorInvalidData = 13;
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorNoMoreItems = 259;

// Device registry properties of SetupAPI (SPDRP_*).
inline constexpr std::uint32_t kSpdrpHardwareId = 1;
inline constexpr std::uint32_t kSpdrpPhysicalDeviceObjectName = 14;

// What SetupDiGetDeviceInterfaceDetailA tells of one interface.
struct InterfaceDetail {
  std::string devicePath;
  DevNode owner;  // the device that exposes the interface (SP_DEVINFO_DATA.DevInst)
};

// One device information set; destroying it is SetupDiDestroyDeviceInfoList.
class DeviceInfoSet {
 public:
  virtual ~DeviceInfoSet() = default;

  // SetupDiEnumDeviceInterfaces for the set's interface class: kErrorSuccess when interface
  // `index` exists, kErrorNoMoreItems past the last one, or another error.
  virtual std::uint32_t EnumInterface(std::uint32_t index) = 0;
  // SetupDiGetDeviceInterfaceDetailA of interface `index`: nullopt when it fails.
  virtual std::optional<InterfaceDetail> GetInterfaceDetail(std::uint32_t index) = 0;
  // SetupDiEnumDeviceInfo: the node of device element `index`, nullopt when it fails.
  virtual std::optional<DevNode> EnumDeviceInfo(std::uint32_t index) = 0;
  // SetupDiGetDeviceRegistryPropertyA of device element `index` into `size` bytes of `buffer`
  // (null with size 0); `requiredSize` gets the property's size. kErrorInsufficientBuffer when
  // the buffer is too small, kErrorInvalidData when the device has no such property.
  virtual std::uint32_t GetDeviceRegistryProperty(std::uint32_t index, std::uint32_t property, char* buffer,
                                                  std::uint32_t size, std::uint32_t& requiredSize) = 0;
};

class DeviceInterfaces {
 public:
  virtual ~DeviceInterfaces() = default;

  // SetupDiGetClassDevsA(class, no enumerator, no window, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE).
  virtual std::unique_ptr<DeviceInfoSet> ClassDevsOfInterface(const Guid& interfaceClass) = 0;
  // SetupDiGetClassDevsA(no class, enumerator, no window, DIGCF_PRESENT | DIGCF_ALLCLASSES).
  virtual std::unique_ptr<DeviceInfoSet> ClassDevsOfEnumerator(std::string_view enumerator) = 0;
};

}  // namespace holvara
