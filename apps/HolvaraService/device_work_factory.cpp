#include "apps/HolvaraService/device_work_factory.h"

#include "platform/win32/device_interfaces.h"
#include "platform/win32/device_storage.h"
#include "platform/win32/device_tree.h"
#include "platform/win32/device_wmi.h"
#include "platform/win32/win32_event_log.h"
#include "platform/win32/win32_volume_names.h"
#include "service/devices/device_service.h"

namespace holvara {

namespace {

// The system adapters, as a base so that they exist before the service that points into them.
struct SystemDevicePorts {
  Win32DeviceTree tree;
  Win32DeviceInterfaces interfaces;
  Win32Storage storage;
  Win32Wmi wmi;
  Win32EventLog eventLog;
  Win32VolumeNames volumeNames;
};

class SystemDeviceWork final : private SystemDevicePorts, public DeviceService {
 public:
  explicit SystemDeviceWork(DebugOutput& debug)
      : DeviceService(DevicePorts{tree, interfaces, storage, wmi, debug, eventLog, volumeNames}) {}
};

}  // namespace

std::unique_ptr<DeviceWork> MakeDeviceWork(DebugOutput& debug) { return std::make_unique<SystemDeviceWork>(debug); }

}  // namespace holvara
