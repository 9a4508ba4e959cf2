// What the icon's menus need of the application: the device list copied for a menu, the removal
// of a copied entry, the sequences the commands run, and the facts that shape the menus.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/ports/screen_ports.h"
#include "platform/ports/system.h"
#include "tray/frame/device_menu.h"

namespace holvara {

class MenuHost {
 public:
  virtual ~MenuHost() = default;
  // Copies the device list for a device menu about to be shown and keeps the copy, with all a
  // removal needs, until the next one; returns the entries as the menu shows them.
  virtual std::vector<DeviceMenuEntry> CopyDeviceListForMenu() = 0;
  // Runs the removal of the entry at this index of the last copy, with the progress dialog
  // hidden, to its end.
  virtual void RemoveCopiedEntry(std::size_t index) = 0;
  // Runs the remove-device dialog modally, without a parent.
  virtual int RemoveDeviceSequence() = 0;
  virtual void SettingsSequence() = 0;
  virtual void OpenHelp() = 0;
  virtual void VersionSequence() = 0;
  virtual bool JapaneseLocale() = 0;
  virtual WindowsVersion SystemVersion() = 0;
  virtual const ScreenPorts& Screen() = 0;
};

}  // namespace holvara
