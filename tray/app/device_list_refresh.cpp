#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

#include "common/protocol.h"
#include "common/text_field.h"
#include "tray/app/device_list.h"
#include "tray/app/device_list_order.h"
#include "tray/app/device_location.h"
#include "tray/app/service_client.h"

namespace holvara {
namespace {

constexpr int kDefaultSearchCode = SEARCH_SATA_ADAPTERS;

bool BasicOn(DeviceListHost& host) { return host.ProfileInt("Basic", 0) == 1; }

std::uint8_t CountDevices(ServiceClient& client, std::uint32_t searchCode) {
  ServiceRequest request{};
  request.command = kDEVICE_INIT;
  request.searchCode = searchCode;
  client.Send(request);
  return client.ReadCount();
}

DeviceRecord FetchRecord(ServiceClient& client, std::uint16_t index) {
  ServiceRequest request{};
  request.command = kDEVICE_INFO;
  request.index = index;
  client.Send(request);
  DeviceRecord record{};
  client.ReadRecord(record);
  return record;
}

bool IsBasicDisk(ServiceClient& client, std::uint8_t deviceNumber) {
  ServiceRequest request{};
  request.command = kDEVICE_BASIC;
  request.index = deviceNumber;
  client.Send(request);
  return client.ReadResult() == 1;
}

std::string_view DisplayName(std::string_view friendlyName) {
  const bool readable = !friendlyName.empty() && friendlyName[0] >= 'A' && friendlyName[0] <= 'Z';
  return readable ? friendlyName : std::string_view(kUnknownDeviceName);
}

// Fills a clean slot from the record, or leaves it cleared when the device must not be offered.
bool StageRecord(DeviceListHost& host, ServiceClient& client, const DeviceRecord& record, char windowsDrive,
                 char currentDrive, StagingSlot& slot) {
  slot = {};
  slot.inUse = 1;
  slot.serviceIndex = record.deviceNumber;
  slot.driveType = record.driveType;
  CopyToField(slot.displayName, DisplayName(ReadField(record.friendlyName)));
  CopyToField(slot.driveLetters, ReadField(record.driveLetters));

  if (slot.driveType != kDriveCdRom && BasicOn(host) && !IsBasicDisk(client, record.deviceNumber)) {
    slot = {};
    return false;
  }

  CopyToField(slot.deviceDescription, ReadField(record.deviceDescription));
  CopyToField(slot.hardwareId, ReadField(record.hardwareId));
  CopyToField(slot.deviceObjectName, ReadField(record.deviceObjectName));

  const std::string_view suffix = ReadField(record.instanceSuffix);
  const DeviceLocation location =
      ParseDeviceLocation(ReadField(slot.deviceObjectName), suffix, suffix.size() < sizeof record.instanceSuffix);
  slot.host = location.host;
  slot.port = location.port;
  slot.target = location.target;

  for (const char letter : ReadField(slot.driveLetters)) {
    if (!BasicOn(host)) break;
    if (letter == windowsDrive || letter == currentDrive) {
      slot = {};
      return false;
    }
    if (CheckSystemFiles(host.Files(), letter) == 1) slot.systemDrive = 1;
  }
  return true;
}

char FirstCharacter(const std::string& text) { return text.empty() ? '\0' : text[0]; }

}  // namespace

char SystemDriveLetter(FileSystem& files) {
  const std::string windows = files.WindowsDirectory();
  return windows.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(windows[0])));
}

int CheckSystemFiles(FileSystem& files, char driveLetter) {
  for (const char* path : {"c:\\boot.ini", "c:\\msdos.sys", "c:\\io.sys", "c:\\pagefile.sys"}) {
    std::string candidate(path);
    candidate[0] = driveLetter;
    if (files.Find(candidate)) return 1;
  }
  return 0;
}

int RefreshDeviceList(DeviceListHost& host, StagingTable& staging, DeviceListTable& list) {
  const char windowsDrive = SystemDriveLetter(host.Files());
  const char currentDrive = FirstCharacter(host.Files().CurrentDirectory());
  int searchCode = host.ProfileInt("SearchCode", 0);
  if (searchCode == 0) searchCode = kDefaultSearchCode;

  ServiceClient client(host.Client());
  // The service's table has 26 slots; a larger count from a faulty reply asks for nothing more.
  const std::size_t count =
      std::min<std::size_t>(CountDevices(client, static_cast<std::uint32_t>(searchCode)), kDeviceTableSlots);

  staging = {};
  std::size_t next = 0;
  for (std::size_t i = 0; i < count && next < kStagingSlots; ++i) {
    const DeviceRecord record = FetchRecord(client, static_cast<std::uint16_t>(i));
    if (record.present != 1) continue;
    if (ReadField(record.friendlyName).starts_with("Config")) continue;
    if (StageRecord(host, client, record, windowsDrive, currentDrive, staging[next])) ++next;
  }

  OrderDeviceList(staging, list);
  GroupPortMultiplierUnits(list);
  host.NotifyDeviceListChanged();
  return 1;
}

}  // namespace holvara
