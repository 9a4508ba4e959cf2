// The one contract between Holvara and HolvaraService: the names of the pipe and the finished
// signal, the fixed-layout request and record, the commands and the search-code bits.
#pragma once

#include <cstddef>
#include <cstdint>

namespace holvara {

inline constexpr char kPipeName[] = "\\\\.\\pipe\\HolvaraService";
inline constexpr char kFinishedEventName[] = "Global\\Holvara";
inline constexpr char kServiceName[] = "HolvaraService";

enum Command : std::uint32_t {
  kDEVICE_INIT = 0,
  kDEVICE_INFO = 1,
  kDEVICE_BASIC = 2,
  kDEVICE_REMOVE = 3,
  kDEVICE_RESCAN = 4,
};
inline constexpr std::uint32_t kLastCommand = kDEVICE_RESCAN;

enum SearchCode : std::uint32_t {
  SEARCH_ALL_DEVICES = 0x01,
  SEARCH_VENDOR_USB_1394 = 0x02,
  SEARCH_IDE_CONTROLLERS = 0x04,
  SEARCH_ALL_USB = 0x08,
  SEARCH_ALL_1394 = 0x10,
  SEARCH_VENDOR_ADAPTERS = 0x20,
  SEARCH_SATA_ADAPTERS = 0x40,
};

// Number of slots in the service's device table; command 1 takes indexes below it.
inline constexpr std::size_t kDeviceTableSlots = 26;

// Device types of IOCTL_STORAGE_GET_DEVICE_NUMBER and drive types of GetDriveTypeA.
inline constexpr std::uint8_t kFileDeviceCdRom = 2;
inline constexpr std::uint8_t kFileDeviceDisk = 7;
inline constexpr std::uint8_t kDriveFixed = 3;
inline constexpr std::uint8_t kDriveCdRom = 5;

// Written whole by the client for every command; fields a command does not use are zero.
struct ServiceRequest {
  std::uint32_t command;
  std::uint32_t searchCode;
  std::uint16_t index;  // the service uses only the low byte
  std::uint8_t reserved[6];
  char hardwareId[64];
  char deviceObjectName[128];
};
static_assert(sizeof(ServiceRequest) == 208);
static_assert(offsetof(ServiceRequest, command) == 0);
static_assert(offsetof(ServiceRequest, searchCode) == 4);
static_assert(offsetof(ServiceRequest, index) == 8);
static_assert(offsetof(ServiceRequest, reserved) == 10);
static_assert(offsetof(ServiceRequest, hardwareId) == 16);
static_assert(offsetof(ServiceRequest, deviceObjectName) == 80);

// The reply to command 1: one storage device of the device table, all zero for an empty slot.
struct DeviceRecord {
  std::uint32_t present;
  std::uint8_t deviceNumber;
  std::uint8_t driveType;
  char devicePath[32];
  char driveLetters[26];
  char friendlyName[128];
  char adapterDescription[128];
  char parentHardwareId[128];
  char grandparentHardwareId[128];
  char deviceDescription[36];
  char hardwareId[64];
  char instanceSuffix[64];
  char deviceObjectName[128];
  std::uint8_t reserved[256];
};
static_assert(sizeof(DeviceRecord) == 1124);
static_assert(offsetof(DeviceRecord, present) == 0);
static_assert(offsetof(DeviceRecord, deviceNumber) == 4);
static_assert(offsetof(DeviceRecord, driveType) == 5);
static_assert(offsetof(DeviceRecord, devicePath) == 6);
static_assert(offsetof(DeviceRecord, driveLetters) == 38);
static_assert(offsetof(DeviceRecord, friendlyName) == 64);
static_assert(offsetof(DeviceRecord, adapterDescription) == 192);
static_assert(offsetof(DeviceRecord, parentHardwareId) == 320);
static_assert(offsetof(DeviceRecord, grandparentHardwareId) == 448);
static_assert(offsetof(DeviceRecord, deviceDescription) == 576);
static_assert(offsetof(DeviceRecord, hardwareId) == 612);
static_assert(offsetof(DeviceRecord, instanceSuffix) == 676);
static_assert(offsetof(DeviceRecord, deviceObjectName) == 740);
static_assert(offsetof(DeviceRecord, reserved) == 868);

inline constexpr std::size_t kShortReplySize = 4;
inline constexpr std::size_t kRecordReplySize = sizeof(DeviceRecord);

}  // namespace holvara
