// What the remove-device dialog needs of the application beyond any dialog's: the device list as
// its rows show it, the sequences its buttons run, the removal guard, its texts and boxes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ports/mutex.h"
#include "platform/ports/resources.h"

namespace holvara {

inline constexpr std::uint8_t kListedSingleDevice = 2;
inline constexpr std::uint8_t kListedUnit = 3;

// A device-list entry as a row shows it, with what names its device: a row still shows the same
// device while the hardware ID and the device object name at its index are unchanged.
struct ListedDevice {
  std::uint8_t kind = 0;
  bool inUnit = false;
  std::uint8_t target = 0;  // a member's tray number is target + 1
  std::string driveLetters{};
  std::string displayName{};
  std::string hardwareId{};
  std::string deviceObjectName{};

  bool operator==(const ListedDevice&) const = default;
};

class RemoveDeviceHost {
 public:
  virtual ~RemoveDeviceHost() = default;
  // The entries of the device list in use, in order (at most 25).
  virtual std::vector<ListedDevice> ListedDevices() = 0;
  // Runs the removal sequence for this entry of the device list with the progress dialog shown.
  virtual void RemoveListedDevice(int index) = 0;
  virtual void RescanSequence() = 0;
  virtual int RefreshDevices() = 0;
  virtual void SettingsSequence() = 0;
  virtual void OpenHelp() = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
  // Shows a string of the resource library through the program's message-box routine.
  virtual int ShowMessage(std::uint32_t stringId, std::uint32_t style) = 0;
  virtual ResourceLibrary& Resources() = 0;
  // The "HolDeviceRemove" mutex, held for one removal: null when another holder had made it
  // already (its name guards nothing; the removal goes ahead all the same).
  virtual std::unique_ptr<NamedMutex> CreateRemovalMutex() = 0;
  // True when the program shows its Japanese texts.
  virtual bool ShowsJapaneseTexts() = 0;
};

}  // namespace holvara
