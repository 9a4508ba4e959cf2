// The tray's device-list refresh on any replies of the service: a fake service answers the count,
// the records and the basic-disk checks from the fuzzer's bytes, and goes away where they end.
// The list holds at most 25 entries in one run from the first, every text is terminated and comes
// from one record's field and no further, the order holds, and every unit header counts exactly
// the members that follow it.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "common/protocol.h"
#include "common/text_field.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_kernel.h"
#include "tests/fuzz/fuzz_support.h"
#include "tray/app/device_list.h"
#include "tray/app/service_client.h"

namespace holvara {
namespace {

using fuzz::InputReader;
using fuzz::IsCleanField;
using fuzz::IsTerminated;

// The texts an entry for this record must show, taken field by field without passing a field.
struct ExpectedTexts {
  std::string displayName, driveLetters, hardwareId, deviceDescription, deviceObjectName;
  std::uint8_t serviceIndex;

  bool operator==(const ExpectedTexts&) const = default;
};

std::string Bounded(const char* field, std::size_t size, std::size_t cut) {
  return std::string(field, std::min(strnlen(field, size), cut));
}

ExpectedTexts TextsOf(const DeviceRecord& record) {
  std::string name = Bounded(record.friendlyName, sizeof record.friendlyName, 127);
  if (name.empty() || name[0] < 'A' || name[0] > 'Z') name = kUnknownDeviceName;
  return {name,
          Bounded(record.driveLetters, sizeof record.driveLetters, 25),
          Bounded(record.hardwareId, sizeof record.hardwareId, 63),
          Bounded(record.deviceDescription, sizeof record.deviceDescription, 35),
          Bounded(record.deviceObjectName, sizeof record.deviceObjectName, 128),
          record.deviceNumber};
}

ExpectedTexts TextsOf(const DeviceListEntry& entry) {
  return {entry.displayName,       entry.driveLetters,     entry.hardwareId,
          entry.deviceDescription, entry.deviceObjectName, entry.serviceIndex};
}

bool IsZero(const DeviceListEntry& entry) {
  static const DeviceListEntry zero{};
  return std::memcmp(&entry, &zero, sizeof entry) == 0;
}

// Answers each request with the next bytes of the input.
class FuzzedService {
 public:
  explicit FuzzedService(InputReader& input) : input_(input) {
    requests.reserve(1 + 2 * kDeviceTableSlots);
    records.reserve(kDeviceTableSlots);
  }

  // Once the input has ended the service goes away without a reply; a reply cut short by the
  // end of the input is filled up with zeros.
  std::vector<std::uint8_t> Answer(const ServiceRequest& request) {
    requests.push_back(request);
    if (input_.empty()) return {};
    std::vector<std::uint8_t> reply(request.command == kDEVICE_INFO ? kRecordReplySize : kShortReplySize);
    const auto bytes = input_.Take(reply.size());
    std::copy(bytes.begin(), bytes.end(), reply.begin());
    if (request.command == kDEVICE_INFO) {
      DeviceRecord record;
      std::memcpy(&record, reply.data(), sizeof record);
      records.push_back(record);
    }
    return reply;
  }

  std::vector<ServiceRequest> requests;
  std::vector<DeviceRecord> records;  // as the client received them

 private:
  InputReader& input_;
};

class Host : public DeviceListHost {
 public:
  Host(int basic, int searchCode, const ClientPorts& client)
      : basic_(basic), searchCode_(searchCode), client_(client) {}

  int ProfileInt(const char* name, int defaultValue) override {
    if (std::string_view(name) == "Basic") return basic_;
    if (std::string_view(name) == "SearchCode") return searchCode_;
    return defaultValue;
  }
  void NotifyDeviceListChanged() override { ++notifications; }
  FileSystem& Files() override { return files; }
  const ClientPorts& Client() override { return client_; }

  SimFileSystem files;
  int notifications = 0;

 private:
  int basic_;
  int searchCode_;
  const ClientPorts& client_;
};

void CheckExchanges(const FuzzedService& service, bool basic, int searchCode) {
  FUZZ_CHECK(!service.requests.empty());
  const ServiceRequest& count = service.requests[0];
  FUZZ_CHECK(count.command == kDEVICE_INIT);
  FUZZ_CHECK(count.searchCode == static_cast<std::uint32_t>(searchCode == 0 ? SEARCH_SATA_ADAPTERS : searchCode));
  std::uint16_t nextIndex = 0;
  for (std::size_t i = 1; i < service.requests.size(); ++i) {
    const ServiceRequest& request = service.requests[i];
    FUZZ_CHECK(request.searchCode == 0 && request.hardwareId[0] == 0 && request.deviceObjectName[0] == 0);
    if (request.command == kDEVICE_INFO) {
      FUZZ_CHECK(request.index == nextIndex++);
    } else {
      // A basic-disk check asks about the disk of the record just received.
      FUZZ_CHECK(request.command == kDEVICE_BASIC && basic && nextIndex > 0);
      FUZZ_CHECK(nextIndex - 1u < service.records.size() &&
                 request.index == service.records[nextIndex - 1].deviceNumber);
    }
  }
  FUZZ_CHECK(nextIndex <= kDeviceTableSlots);
}

// The drives the host's file system makes special: where Windows lives, the current drive, and
// the one drive whose root holds a page file.
struct Drives {
  char windows, current, pageFile;
};

void CheckList(const DeviceListTable& list, const FuzzedService& service, bool basic, const Drives& drives) {
  std::vector<ExpectedTexts> offered;
  for (const DeviceRecord& record : service.records) offered.push_back(TextsOf(record));

  std::size_t used = 0;
  while (used < list.size() && list[used].inUse == 1) ++used;
  FUZZ_CHECK(used <= kDeviceListCapacity);
  for (std::size_t i = used; i < list.size(); ++i) FUZZ_CHECK(IsZero(list[i]));

  for (std::size_t i = 0; i < used; ++i) {
    const DeviceListEntry& entry = list[i];
    // A unit header's title is written over its first member's name, so only its terminator is
    // certain; every other field is copied whole and is zero after its text.
    FUZZ_CHECK(IsTerminated(entry.displayName));
    FUZZ_CHECK(IsCleanField(entry.driveLetters) && IsCleanField(entry.hardwareId) &&
               IsCleanField(entry.deviceDescription) && IsCleanField(entry.deviceObjectName));
    if (entry.kind == kSingleDevice) FUZZ_CHECK(IsCleanField(entry.displayName));
    FUZZ_CHECK(entry.host < 128 && entry.port < 128 && entry.target < 128);
    FUZZ_CHECK(entry.systemDrive == 0 || (basic && entry.systemDrive == 1));
    if (i > 0) {
      const DeviceListEntry& before = list[i - 1];
      FUZZ_CHECK(std::tie(before.host, before.port) <= std::tie(entry.host, entry.port));
    }
    if (entry.kind == kUnitHeader) {
      FUZZ_CHECK(entry.inUnit == 0 && entry.systemDrive == 0 && entry.target == 0);
      FUZZ_CHECK(entry.driveLetters[0] == 0 && entry.hardwareId[0] == 0 && entry.deviceDescription[0] == 0);
      const std::string title = "[ HOST:" + std::to_string(entry.host + 1) +
                                "  PORT:" + std::to_string(entry.port + 1) + " ]  PORT MULTIPLIER UNIT";
      FUZZ_CHECK(entry.displayName == title);
      FUZZ_CHECK(entry.memberCount >= 1 && i + entry.memberCount < used + 1);
      for (std::size_t m = i + 1; m <= i + entry.memberCount; ++m) {
        FUZZ_CHECK(list[m].kind == kSingleDevice && list[m].inUnit == 1);
        FUZZ_CHECK(list[m].host == entry.host && list[m].port == entry.port);
      }
      const std::size_t after = i + entry.memberCount + 1;
      FUZZ_CHECK(after >= used || list[after].host != entry.host || list[after].port != entry.port);
      continue;
    }
    FUZZ_CHECK(entry.kind == kSingleDevice && entry.memberCount == 0);
    const bool inUnit = i > 0 && list[i - 1].host == entry.host && list[i - 1].port == entry.port;
    FUZZ_CHECK(entry.inUnit == (inUnit ? 1 : 0));
    if (inUnit) FUZZ_CHECK(list[i - 1].target <= entry.target || list[i - 1].kind == kUnitHeader);
    FUZZ_CHECK(std::find(offered.begin(), offered.end(), TextsOf(entry)) != offered.end());
    // With Basic on, no device holds the Windows or the current drive, and a page file marks its device.
    const std::string_view letters = entry.driveLetters;
    if (basic) {
      FUZZ_CHECK(letters.find(drives.windows) == std::string_view::npos);
      FUZZ_CHECK(letters.find(drives.current) == std::string_view::npos);
      FUZZ_CHECK(entry.systemDrive == (letters.find(drives.pageFile) != std::string_view::npos ? 1 : 0));
    }
  }
}

SimKernel& Kernel() {
  // Lives for the whole run: its threads and pipes are reused by every input.
  static SimKernel* kernel = new SimKernel;
  return *kernel;
}

FuzzedService* current = nullptr;

}  // namespace
}  // namespace holvara

// Input: Basic (1 byte, odd), SearchCode (1 byte), the Windows, current and page-file drive
// letters (1 byte each), then the replies in the order they are asked for.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace holvara;
  static fuzz::DiscardingDebugOutput debug;
  static const ClientPorts client{Kernel().ipc(), Kernel().clock(), debug};
  static const bool attached = [] {
    Kernel().ipc().AttachResponder(kPipeName, kFinishedEventName,
                                   [](const ServiceRequest& request) { return current->Answer(request); });
    return true;
  }();
  (void)attached;

  InputReader input(data, size);
  const bool basic = input.Byte() & 1;
  const int searchCode = input.Byte();
  const Drives drives{static_cast<char>(input.Byte()), static_cast<char>(input.Byte()),
                      static_cast<char>(input.Byte())};
  Host host(basic ? 1 : 0, searchCode, client);
  host.files.SetWindowsDirectory(std::string(1, drives.windows) + ":\\Windows");
  host.files.SetCurrentDirectory(std::string(1, drives.current) + ":\\Work");
  host.files.AddFile(std::string(1, drives.pageFile) + ":\\pagefile.sys");

  FuzzedService service(input);
  current = &service;
  StagingTable staging{};
  DeviceListTable list{};
  FUZZ_CHECK(RefreshDeviceList(host, staging, list) == 1);
  current = nullptr;

  FUZZ_CHECK(host.notifications == 1);
  CheckExchanges(service, basic, searchCode);
  CheckList(list, service, basic, drives);
  return 0;
}
