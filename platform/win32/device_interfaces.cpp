#include "platform/win32/device_interfaces.h"

#include <windows.h>
#include <setupapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace holvara {

namespace {

static_assert(sizeof(GUID) == sizeof(Guid));

GUID ToGuid(const Guid& guid) {
  GUID result;
  std::memcpy(&result, &guid, sizeof result);
  return result;
}

// One HDEVINFO; destroying the set destroys the list. Interface enumeration uses the class the
// set was made for, so a set made by enumerator (no class) enumerates no interfaces.
class Win32DeviceInfoSet final : public DeviceInfoSet {
 public:
  Win32DeviceInfoSet(HDEVINFO set, std::optional<GUID> interfaceClass) : set_(set), interfaceClass_(interfaceClass) {}
  ~Win32DeviceInfoSet() override { SetupDiDestroyDeviceInfoList(set_); }
  Win32DeviceInfoSet(const Win32DeviceInfoSet&) = delete;
  Win32DeviceInfoSet& operator=(const Win32DeviceInfoSet&) = delete;

  std::uint32_t EnumInterface(std::uint32_t index) override {
    SP_DEVICE_INTERFACE_DATA data{};
    return InterfaceData(index, data) ? kErrorSuccess : GetLastError();
  }

  std::optional<InterfaceDetail> GetInterfaceDetail(std::uint32_t index) override {
    SP_DEVICE_INTERFACE_DATA data{};
    if (!InterfaceData(index, data)) return std::nullopt;
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(set_, &data, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return std::nullopt;
    std::vector<std::byte> storage(required);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    SP_DEVINFO_DATA owner{};
    owner.cbSize = sizeof owner;
    if (!SetupDiGetDeviceInterfaceDetailA(set_, &data, detail, required, nullptr, &owner)) {
      return std::nullopt;
    }
    return InterfaceDetail{detail->DevicePath, static_cast<DevNode>(owner.DevInst)};
  }

  std::optional<DevNode> EnumDeviceInfo(std::uint32_t index) override {
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    if (!SetupDiEnumDeviceInfo(set_, index, &data)) return std::nullopt;
    return static_cast<DevNode>(data.DevInst);
  }

  std::uint32_t GetDeviceRegistryProperty(std::uint32_t index, std::uint32_t property, char* buffer, std::uint32_t size,
                                          std::uint32_t& requiredSize) override {
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    if (!SetupDiEnumDeviceInfo(set_, index, &data)) return GetLastError();
    DWORD required = 0;
    const BOOL read = SetupDiGetDeviceRegistryPropertyA(set_, &data, property, nullptr, reinterpret_cast<BYTE*>(buffer),
                                                        size, &required);
    const DWORD error = read ? ERROR_SUCCESS : GetLastError();
    requiredSize = required;
    return error;
  }

 private:
  bool InterfaceData(std::uint32_t index, SP_DEVICE_INTERFACE_DATA& data) {
    data.cbSize = sizeof data;
    if (!interfaceClass_) {
      SetLastError(ERROR_NO_MORE_ITEMS);
      return false;
    }
    return SetupDiEnumDeviceInterfaces(set_, nullptr, &*interfaceClass_, index, &data) != FALSE;
  }

  HDEVINFO set_;
  std::optional<GUID> interfaceClass_;
};

std::unique_ptr<DeviceInfoSet> Wrap(HDEVINFO set, std::optional<GUID> interfaceClass) {
  if (set == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32DeviceInfoSet>(set, interfaceClass);
}

}  // namespace

std::unique_ptr<DeviceInfoSet> Win32DeviceInterfaces::ClassDevsOfInterface(const Guid& interfaceClass) {
  const GUID guid = ToGuid(interfaceClass);
  return Wrap(SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE), guid);
}

std::unique_ptr<DeviceInfoSet> Win32DeviceInterfaces::ClassDevsOfEnumerator(std::string_view enumerator) {
  const std::string name(enumerator);
  return Wrap(SetupDiGetClassDevsA(nullptr, name.c_str(), nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES), std::nullopt);
}

}  // namespace holvara
