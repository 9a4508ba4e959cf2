// The system as the device work reaches it.
#pragma once

#include "platform/ports/debug_output.h"
#include "platform/ports/device_interfaces.h"
#include "platform/ports/device_tree.h"
#include "platform/ports/event_log.h"
#include "platform/ports/storage.h"
#include "platform/ports/volume_names.h"
#include "platform/ports/wmi.h"

namespace holvara {

struct DevicePorts {
  DeviceTree& tree;
  DeviceInterfaces& interfaces;
  Storage& storage;
  Wmi& wmi;
  DebugOutput& debug;
  // Read only when a removal is refused, to say who holds the device.
  EventLog& eventLog;
  VolumeNames& volumeNames;
};

}  // namespace holvara
