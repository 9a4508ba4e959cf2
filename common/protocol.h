// The one contract between Holvara and HolvaraService: the names of the pipe and the finished
// signal, the fixed-layout request and records, the commands and the search-code bits.
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
  // The removal of command 3 with the reason of a refusal: replies with a RemovalReport. A service
  // that predates it treats it as unknown (no signal, no reply), so clients fall back to command 3.
  kDEVICE_REMOVE_REPORT = 5,
};
inline constexpr std::uint32_t kLastCommand = kDEVICE_REMOVE_REPORT;

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

// Plug and Play's veto types (PNP_VETO_TYPE) as the removal reports them.
enum VetoType : std::uint32_t {
  kVetoUnknown = 0,
  kVetoLegacyDevice = 1,
  kVetoPendingClose = 2,
  kVetoWindowsApp = 3,
  kVetoWindowsService = 4,
  kVetoOutstandingOpen = 5,
  kVetoDevice = 6,
  kVetoDriver = 7,
  kVetoIllegalDeviceRequest = 8,
  kVetoInsufficientPower = 9,
  kVetoNonDisableable = 10,
  kVetoLegacyDriver = 11,
  kVetoInsufficientRights = 12,
  kVetoAlreadyRemoved = 13,
};
inline constexpr std::uint32_t kLastVetoType = kVetoAlreadyRemoved;

// The programs one report can name; more are counted as cut.
inline constexpr std::size_t kMaxBlockingPrograms = 4;

// A program whose open handle on the device vetoed its removal, as the system's event log names it.
struct BlockingProgram {
  std::uint32_t processId;
  char imagePath[260];  // with a drive letter when the image's volume has one, else as the kernel wrote it
};
static_assert(sizeof(BlockingProgram) == 264);
static_assert(offsetof(BlockingProgram, processId) == 0);
static_assert(offsetof(BlockingProgram, imagePath) == 4);

// The reply to command 5. `result` is the value command 3 would reply. When `vetoed` is 1, Plug and
// Play refused the removal, `vetoType` says who, and `vetoName` names the vetoing component (a
// device instance, driver, service or program, as Plug and Play gives it). The programs are those
// the system's event log names for this removal, `programCount` of them; `programsCut` is 1 when
// there were more than the record holds. Every field not used is zero.
struct RemovalReport {
  std::uint32_t result;
  std::uint32_t vetoed;
  std::uint32_t vetoType;
  std::uint32_t programCount;
  std::uint32_t programsCut;
  std::uint8_t reserved[12];
  char vetoName[260];
  BlockingProgram programs[kMaxBlockingPrograms];
};
static_assert(sizeof(RemovalReport) == 1348);
static_assert(offsetof(RemovalReport, result) == 0);
static_assert(offsetof(RemovalReport, vetoed) == 4);
static_assert(offsetof(RemovalReport, vetoType) == 8);
static_assert(offsetof(RemovalReport, programCount) == 12);
static_assert(offsetof(RemovalReport, programsCut) == 16);
static_assert(offsetof(RemovalReport, reserved) == 20);
static_assert(offsetof(RemovalReport, vetoName) == 32);
static_assert(offsetof(RemovalReport, programs) == 292);

inline constexpr std::size_t kShortReplySize = 4;
inline constexpr std::size_t kRecordReplySize = sizeof(DeviceRecord);
inline constexpr std::size_t kReportReplySize = sizeof(RemovalReport);

}  // namespace holvara
