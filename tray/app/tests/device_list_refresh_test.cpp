#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/protocol.h"
#include "common/text_field.h"
#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_kernel.h"
#include "tray/app/device_list.h"
#include "tray/app/service_client.h"

namespace holvara {
namespace {

// A service that answers from a list of records and a set of basic disks.
struct FakeService {
  std::vector<DeviceRecord> records;
  std::map<int, std::uint32_t> basic;  // disk number -> reply; absent disks reply 1
  std::vector<ServiceRequest> requests;
  std::uint32_t countOverride = 0;

  std::vector<std::uint8_t> Answer(const ServiceRequest& request) {
    requests.push_back(request);
    switch (request.command) {
      case kDEVICE_INIT:
        return Bytes(countOverride ? countOverride : static_cast<std::uint32_t>(records.size()));
      case kDEVICE_INFO: {
        DeviceRecord record{};
        if (request.index < records.size()) record = records[request.index];
        const auto* raw = reinterpret_cast<const std::uint8_t*>(&record);
        return {raw, raw + sizeof record};
      }
      case kDEVICE_BASIC: {
        auto it = basic.find(request.index);
        return Bytes(it == basic.end() ? 1u : it->second);
      }
      default:
        return Bytes(0);
    }
  }
  static std::vector<std::uint8_t> Bytes(std::uint32_t value) {
    std::vector<std::uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
  }
  int Count(std::uint32_t command) const {
    int n = 0;
    for (const auto& r : requests) n += r.command == command;
    return n;
  }
};

DeviceRecord Disk(std::uint8_t number, const char* name, const char* letters, const char* objectName,
                  std::uint8_t driveType = kDriveFixed) {
  DeviceRecord record{};
  record.present = 1;
  record.deviceNumber = number;
  record.driveType = letters[0] ? driveType : 0;
  CopyToField(record.friendlyName, name);
  CopyToField(record.driveLetters, letters);
  CopyToField(record.deviceObjectName, objectName);
  CopyToField(record.hardwareId, "SCSI\\DiskMaker___Model");
  CopyToField(record.deviceDescription, "Disk drive");
  return record;
}

class DeviceListRefreshTest : public testing::Test, public DeviceListHost {
 protected:
  DeviceListRefreshTest() {
    kernel_.ipc().AttachResponder(kPipeName, kFinishedEventName,
                                  [this](const ServiceRequest& r) { return service_.Answer(r); });
    files_.SetWindowsDirectory("C:\\Windows");
    files_.SetCurrentDirectory("D:\\Work");
  }

  int ProfileInt(const char* name, int defaultValue) override {
    auto it = profile_.find(name);
    return it == profile_.end() ? defaultValue : it->second;
  }
  void NotifyDeviceListChanged() override { ++notifications_; }
  FileSystem& Files() override { return files_; }
  const ClientPorts& Client() override { return ports_; }

  void Refresh() { ASSERT_EQ(RefreshDeviceList(*this, staging_, list_), 1); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : list_) {
      if (entry.inUse != 1) break;
      names.emplace_back(entry.displayName);
    }
    return names;
  }

  SimKernel kernel_;
  RecordingDebugOutput debug_;
  ClientPorts ports_{kernel_.ipc(), kernel_.clock(), debug_};
  SimFileSystem files_;
  FakeService service_;
  std::map<std::string, int> profile_{{"Basic", 1}, {"SearchCode", 64}};
  int notifications_ = 0;
  StagingTable staging_{};
  DeviceListTable list_{};
};

TEST_F(DeviceListRefreshTest, AsksForEveryRecordAndChecksDisksButNotOpticalDrives) {
  service_.records = {Disk(1, "Disk One", "E", "\\Device\\Scsi\\sPort0Path0Target0Lun0"),
                      Disk(2, "DVD Writer", "F", "\\Device\\Scsi\\sPort1Path0Target0Lun0", kDriveCdRom)};
  Refresh();
  EXPECT_EQ(service_.Count(kDEVICE_INIT), 1);
  EXPECT_EQ(service_.requests[0].searchCode, 64u);
  EXPECT_EQ(service_.Count(kDEVICE_INFO), 2);
  ASSERT_EQ(service_.Count(kDEVICE_BASIC), 1);
  EXPECT_EQ(service_.requests[2].index, 1);  // the device number, not the slot
  EXPECT_EQ(Names(), (std::vector<std::string>{"Disk One", "DVD Writer"}));
  EXPECT_EQ(notifications_, 1);
}

TEST_F(DeviceListRefreshTest, BasicOffMakesNoChecksAndDropsNothing) {
  profile_["Basic"] = 0;
  files_.AddFile("E:\\pagefile.sys");
  service_.basic[1] = 0;
  service_.records = {Disk(1, "Dynamic", "C", "\\Device\\Scsi\\sPort0Path0Target0Lun0"),
                      Disk(2, "Paged", "E", "\\Device\\Scsi\\sPort1Path0Target0Lun0")};
  Refresh();
  EXPECT_EQ(service_.Count(kDEVICE_BASIC), 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Dynamic", "Paged"}));
  EXPECT_EQ(list_[1].systemDrive, 0);
}

TEST_F(DeviceListRefreshTest, BasicOnDropsNonBasicWindowsAndCurrentDrivesAndMarksSystemFiles) {
  files_.AddFile("E:\\pagefile.sys");
  service_.basic[3] = 0;
  service_.records = {
      Disk(1, "System Disk", "GC", "\\Device\\Scsi\\sPort0Path0Target0Lun0"),
      Disk(2, "Work Disk", "D", "\\Device\\Scsi\\sPort0Path1Target0Lun0"),
      Disk(3, "Dynamic Disk", "H", "\\Device\\Scsi\\sPort0Path2Target0Lun0"),
      Disk(4, "Optical On C", "C", "\\Device\\Scsi\\sPort0Path3Target0Lun0", kDriveCdRom),
      Disk(5, "Paged Disk", "DE", "\\Device\\Scsi\\sPort0Path4Target0Lun0"),
      Disk(6, "Plain Disk", "J", "\\Device\\Scsi\\sPort0Path5Target0Lun0"),
  };
  service_.records[4].driveLetters[0] = 'K';  // letters "KE": the page file is on E
  Refresh();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Paged Disk", "Plain Disk"}));
  EXPECT_EQ(list_[0].systemDrive, 1);
  // The dropped devices' marks and places do not leak into the slots reused after them.
  EXPECT_EQ(list_[1].systemDrive, 0);
  EXPECT_EQ(list_[1].port, 5);
}

TEST_F(DeviceListRefreshTest, NamesAreFilteredOrReplaced) {
  service_.records = {Disk(1, "Config Device", "", "\\Device\\Scsi\\sPort0Path0Target0Lun0"),
                      Disk(2, "config disk", "", "\\Device\\Scsi\\sPort0Path1Target0Lun0"),
                      Disk(3, "", "", "\\Device\\Scsi\\sPort0Path2Target0Lun0")};
  service_.records.push_back(DeviceRecord{});  // an empty service slot takes no staging slot
  Refresh();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Unkwon Device(DISK/CD-ROM)", "Unkwon Device(DISK/CD-ROM)"}));
  EXPECT_EQ(list_[0].serviceIndex, 2);
}

TEST_F(DeviceListRefreshTest, UnterminatedTextsFromThePipeAreCutToTheirFields) {
  DeviceRecord record = Disk(7, "X", "E", "");
  std::memset(record.friendlyName, 'N', sizeof record.friendlyName);
  std::memset(record.deviceDescription, 'D', sizeof record.deviceDescription);
  std::memset(record.hardwareId, 'H', sizeof record.hardwareId);
  std::memset(record.deviceObjectName, 'P', sizeof record.deviceObjectName);
  std::memset(record.driveLetters, 'Q', sizeof record.driveLetters);
  std::memset(record.instanceSuffix, '1', sizeof record.instanceSuffix);
  service_.records = {record};
  profile_["Basic"] = 0;
  Refresh();
  ASSERT_EQ(Names().size(), 1u);
  EXPECT_EQ(std::strlen(list_[0].displayName), 127u);
  EXPECT_EQ(std::strlen(list_[0].deviceDescription), 35u);
  EXPECT_EQ(std::strlen(list_[0].hardwareId), 63u);
  EXPECT_EQ(std::strlen(list_[0].deviceObjectName), 128u);  // the whole unterminated field, no more
  EXPECT_EQ(std::strlen(list_[0].driveLetters), 25u);
  // No "Port" in the name and an unterminated suffix: nothing is taken from either.
  EXPECT_EQ(list_[0].host, 0);
  EXPECT_EQ(list_[0].port, 0);
}

TEST_F(DeviceListRefreshTest, SearchCodeZeroMeansSataAdaptersAndCountIsCappedAtTheTableSize) {
  profile_["SearchCode"] = 0;
  service_.countOverride = 255;
  service_.records = {Disk(1, "Only Disk", "", "\\Device\\Scsi\\sPort0Path0Target0Lun0")};
  Refresh();
  EXPECT_EQ(service_.requests[0].searchCode, 64u);
  EXPECT_EQ(service_.Count(kDEVICE_INFO), 26);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Only Disk"}));
}

TEST_F(DeviceListRefreshTest, UnreachableServiceGivesAnEmptyListAndStillNotifies) {
  kernel_.ipc().DetachResponder(kPipeName);
  list_[0].inUse = 1;
  const std::uint64_t start = kernel_.NowMs();
  Refresh();
  EXPECT_EQ(list_[0].inUse, 0);
  EXPECT_EQ(notifications_, 1);
  EXPECT_EQ(debug_.Count("AnotherError\n"), 1u);
  EXPECT_GE(kernel_.NowMs() - start, 40000u);
}

TEST_F(DeviceListRefreshTest, PortMultiplierEnclosureFromInstanceSuffixes) {
  auto member = [](std::uint8_t number, const char* name, const char* suffix) {
    DeviceRecord record = Disk(number, name, "", "\\Device\\00000071");
    CopyToField(record.instanceSuffix, suffix);
    return record;
  };
  service_.records = {member(3, "Bay Two", "4&2f1a&0&000101"), member(2, "Bay One", "4&2f1a&0&000001"),
                      member(4, "Lone Disk", "4&2f1a&0&010000")};
  Refresh();
  EXPECT_EQ(Names(),
            (std::vector<std::string>{"[ HOST:1  PORT:2 ]  PORT MULTIPLIER UNIT", "Bay One", "Bay Two", "Lone Disk"}));
  EXPECT_EQ(list_[0].memberCount, 2);
  EXPECT_EQ(list_[2].target, 1);
}

}  // namespace
}  // namespace holvara
