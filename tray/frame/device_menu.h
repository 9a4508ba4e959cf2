// The device menu's items: one per device, unit and tray of the device list as it was when the
// menu was built, with the letter texts in the user's layout; and the service-wait menu's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace holvara {

inline constexpr std::uint32_t kFirstDeviceCommand = 1001;
inline constexpr std::uint32_t kLastDeviceCommand = 1050;
inline constexpr std::uint32_t kExitCommand = 57665;  // ID_APP_EXIT
inline constexpr std::uint32_t kNoCommand = 0;
// Every item text is assembled in a buffer of this size.
inline constexpr std::size_t kMenuTextBuffer = 255;

inline constexpr std::uint8_t kMenuSingleDevice = 2;
inline constexpr std::uint8_t kMenuUnitHeader = 3;

// One device-list entry as the menu shows it; the first entry not copied ends the list.
struct DeviceMenuEntry {
  std::uint8_t kind = 0;
  bool inUnit = false;
  std::uint8_t target = 0;  // a member's tray number is target + 1
  std::uint8_t memberCount = 0;
  std::string driveLetters{};
  std::string displayName{};
};

struct MenuItem {
  enum Kind { kText, kSeparator };
  Kind kind = kText;
  std::uint32_t command = kNoCommand;
  std::string text{};
  // Inserted at its position in the menu (MF_BYPOSITION) instead of appended.
  bool byPosition = false;
};

struct DeviceMenuTexts {
  std::string drivePrefix;  // string 6
  std::string verb;         // string 7
  std::string emptyList;    // string 13
};

// The Japanese layout puts the verb after the name; the locale is asked afresh for every item.
std::vector<MenuItem> DeviceMenuItems(std::span<const DeviceMenuEntry> entries, const DeviceMenuTexts& texts,
                                      const std::function<bool()>& japanese);

// The index of the entry a device command names, when the menu showed that entry. Commands past
// the entries shown (1026 to 1050 never occur, and a list rebuilt meanwhile may be shorter)
// name nothing.
std::optional<std::size_t> DeviceCommandEntry(std::uint32_t command, std::size_t entriesShown);

std::vector<MenuItem> ServiceWaitMenuItems(const std::string& information, const std::string& exit);

// Cuts the text to what its buffer holds, without leaving half of a double-byte character of
// code page 932 at the end when the text is in that code page.
void CutToMenuBuffer(std::string& text, bool doubleByteCodePage);

}  // namespace holvara
