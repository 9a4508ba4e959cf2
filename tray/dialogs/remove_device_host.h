// What the remove-device dialog needs of the application beyond any dialog's: the device list as
// its rows show it, the sequences its buttons run, the removal guard, its texts and boxes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ports/mutex.h"
#include "platform/ports/resources.h"

namespace holvara {

inline constexpr std::uint8_t kListedSingleDevice = 2;
inline constexpr std::uint8_t kListedUnit = 3;

// A device-list entry as a row shows it, with what names its device: its kind, hardware ID and
// device object name.
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

// What a row showed the user: the entry, and for a unit the members listed right under it.
struct ShownDevice {
  ListedDevice entry;
  std::vector<ListedDevice> members;
};

// The same device: the same kind, hardware ID and device object name; for a unit, the same unit
// with the same members in the same order. Texts and drive letters may differ.
bool SameDevice(const ListedDevice& a, const ListedDevice& b);
bool SameDevice(const ShownDevice& a, const ShownDevice& b);

// The device the row at this index of rows shows: a unit takes the members listed right under it.
ShownDevice ShownDeviceAt(const std::vector<ListedDevice>& rows, std::size_t row);

class RemoveDeviceHost {
 public:
  virtual ~RemoveDeviceHost() = default;
  // The entries of the device list in use, in order (at most 25).
  virtual std::vector<ListedDevice> ListedDevices() = 0;
  // Runs the removal sequence for this entry of the device list with the progress dialog shown,
  // when the entry is still the device the row showed (SameDevice, its members included); false
  // when it is not, and then nothing is removed.
  virtual bool RemoveShownDevice(int index, const ShownDevice& shown) = 0;
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
