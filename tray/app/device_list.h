// The tray program's picture of the removable devices: a staging table of accepted device records
// and the ordered device list of single devices and port-multiplier units built from it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/ports/files.h"
#include "tray/dialogs/device_list_notice.h"

namespace holvara {

struct ClientPorts;

inline constexpr std::size_t kStagingSlots = 26;
inline constexpr std::size_t kDeviceListEntries = 26;
// The list holds at most 25 entries; the 26th entry always stays empty and ends a full list.
inline constexpr std::size_t kDeviceListCapacity = 25;

inline constexpr char kUnknownDeviceName[] = "Unkwon Device(DISK/CD-ROM)";

enum DeviceListKind : std::uint8_t {
  kSingleDevice = 2,
  kUnitHeader = 3,
};

struct StagingSlot {
  std::int32_t inUse;
  std::uint8_t serviceIndex;
  std::uint8_t driveType;
  std::int32_t systemDrive;
  std::uint8_t host;
  std::uint8_t port;
  std::uint8_t target;
  char driveLetters[26];
  char displayName[128];
  char deviceDescription[36];
  char hardwareId[64];
  char deviceObjectName[131];
};

struct DeviceListEntry {
  std::int32_t inUse;
  std::int32_t systemDrive;
  std::uint8_t kind;
  std::uint8_t inUnit;
  std::uint8_t host;
  std::uint8_t port;
  std::uint8_t target;  // a member's tray number is target + 1
  std::uint8_t memberCount;
  std::uint8_t serviceIndex;
  char driveLetters[26];
  char displayName[128];
  char hardwareId[128];
  char deviceDescription[128];
  char deviceObjectName[130];
};

using StagingTable = std::array<StagingSlot, kStagingSlots>;
using DeviceListTable = std::array<DeviceListEntry, kDeviceListEntries>;

// What the refresh needs of the application.
class DeviceListHost {
 public:
  virtual ~DeviceListHost() = default;
  // An integer of the profile section "Common".
  virtual int ProfileInt(const char* name, int defaultValue) = 0;
  // Tells an open dialog that the list changed (posted to the main window's last active popup
  // when that window is enabled).
  virtual void NotifyDeviceListChanged() = 0;
  virtual FileSystem& Files() = 0;
  virtual const ClientPorts& Client() = 0;
};

// The entries of the list in use: the first entry whose inUse is not 1 ends the list.
inline std::span<const DeviceListEntry> EntriesInUse(const DeviceListTable& list) {
  std::size_t used = 0;
  while (used < kDeviceListCapacity && list[used].inUse == 1) ++used;
  return {list.data(), used};
}

// Asks the service for every device, keeps those that may be offered for removal, orders and
// groups them, and notifies an open dialog. Returns 1.
int RefreshDeviceList(DeviceListHost& host, StagingTable& staging, DeviceListTable& list);

// The drive Windows runs from, in upper case; '\0' when the system names no Windows folder. The
// list never offers a device holding it while "Basic" is on; the command-line tool refuses to
// remove it whatever the settings.
char SystemDriveLetter(FileSystem& files);

// 1 when the root of the drive holds boot.ini, msdos.sys, io.sys or pagefile.sys.
int CheckSystemFiles(FileSystem& files, char driveLetter);

}  // namespace holvara
