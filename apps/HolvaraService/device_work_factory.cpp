#include "apps/HolvaraService/device_work_factory.h"

#include "platform/win32/device_interfaces.h"
#include "platform/win32/device_storage.h"
#include "platform/win32/device_tree.h"
#include "platform/win32/device_wmi.h"
#include "service/devices/device_service.h"

namespace holvara {

namespace {

// The device service together with the system adapters it works on.
class SystemDeviceWork final : public DeviceWork {
 public:
  explicit SystemDeviceWork(DebugOutput& debug)
      : service_(DevicePorts{tree_, interfaces_, storage_, wmi_, debug}) {}

  std::uint32_t Refresh(std::uint32_t searchCode) override { return service_.Refresh(searchCode); }
  DeviceRecord Record(std::uint8_t index) override { return service_.Record(index); }
  std::uint32_t CheckBasicDisk(std::uint8_t diskNumber) override {
    return service_.CheckBasicDisk(diskNumber);
  }
  std::uint32_t Remove(std::string_view hardwareId, std::string_view deviceObjectName) override {
    return service_.Remove(hardwareId, deviceObjectName);
  }
  std::uint32_t Rescan() override { return service_.Rescan(); }

 private:
  Win32DeviceTree tree_;
  Win32DeviceInterfaces interfaces_;
  Win32Storage storage_;
  Win32Wmi wmi_;
  DeviceService service_;
};

}  // namespace

std::unique_ptr<DeviceWork> MakeDeviceWork(DebugOutput& debug) {
  return std::make_unique<SystemDeviceWork>(debug);
}

}  // namespace holvara
