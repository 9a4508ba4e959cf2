// The system as the device work reaches it.
#pragma once

#include "platform/ports/debug_output.h"
#include "platform/ports/device_interfaces.h"
#include "platform/ports/device_tree.h"
#include "platform/ports/storage.h"
#include "platform/ports/wmi.h"

namespace holvara {

struct DevicePorts {
  DeviceTree& tree;
  DeviceInterfaces& interfaces;
  Storage& storage;
  Wmi& wmi;
  DebugOutput& debug;
};

}  // namespace holvara
