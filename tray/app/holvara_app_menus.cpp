// What the icon's menus ask of the application: the device list copied for a menu, and the
// sequences their commands run.
#include "common/text_field.h"
#include "tray/app/holvara_app.h"
#include "tray/app/locale.h"

namespace holvara {

namespace {

DeviceMenuEntry MenuEntryOf(const DeviceListEntry& entry) {
  return {entry.kind,
          entry.inUnit == 1,
          entry.target,
          entry.memberCount,
          std::string(ReadField(entry.driveLetters)),
          std::string(ReadField(entry.displayName))};
}

}  // namespace

std::vector<DeviceMenuEntry> CHolvaraApp::CopyDeviceListForMenu() {
  menuCopy_ = deviceList_;
  std::vector<DeviceMenuEntry> entries;
  for (const DeviceListEntry& entry : EntriesInUse(menuCopy_)) entries.push_back(MenuEntryOf(entry));
  return entries;
}

// The Japanese layout goes with the Japanese texts, which need code page 932 as well as the locale.
bool CHolvaraApp::JapaneseLocale() { return ShowsJapanese(ports_.system); }

void CHolvaraApp::RemoveCopiedEntry(std::size_t index) {
  RemovePlannedDevices(PlanRemoval(menuCopy_, static_cast<int>(index & 0xFF)), false);
}

}  // namespace holvara
