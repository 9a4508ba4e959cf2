// What the main frame needs of the application object.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ports/resources.h"
#include "tray/frame/menu_host.h"

namespace holvara {

class FrameHost {
 public:
  virtual ~FrameHost() = default;
  // The first busy marker set on the main window, or an empty view when none is.
  virtual std::string_view BusyMarker() = 0;
  // The loaded resource library; the frame exists only once it is loaded.
  virtual ResourceLibrary& Resources() = 0;
  // Whether the application's message box is on screen; the icon ignores the mouse meanwhile.
  virtual bool MessageBoxOnScreen() = 0;
  // An integer of the profile's "Common" section, read afresh.
  virtual int ProfileInt(const char* name, int defaultValue) = 0;
  // Whether the device list's first entry is free, that is, the list is empty.
  virtual bool DeviceListEmpty() = 0;
  // Rebuilds the device list from the service.
  virtual int RefreshDevices() = 0;
  // Whether the service's pipe can be opened now.
  virtual bool ServiceReachable() = 0;
  // Runs the rescan dialog modally; its outcome is not reported.
  virtual void RescanSequence() = 0;
  // Runs the remove-device dialog modally, without a parent.
  virtual int RemoveDeviceSequence() = 0;
  // Blocks the user-interface thread for a while.
  virtual void Sleep(std::uint32_t ms) = 0;
  // What the icon's menus and their commands need.
  virtual MenuHost& MenuCommands() = 0;
};

}  // namespace holvara
