#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/protocol.h"
#include "service/devices/interface_probe.h"

namespace holvara {
namespace {

constexpr DevNode kNode = 5;
constexpr DevNode kOther = 6;

// One entry of an interface set: the enumeration error of interface i, device element i, and the
// interface's path, owner and what opening that path answers.
struct Entry {
  std::uint32_t enumError = kErrorSuccess;
  DevNode element = kNode;
  DevNode owner = kNode;
  bool opens = true;
  std::optional<std::uint32_t> number = std::nullopt;
};

class FakeSet : public DeviceInfoSet {
 public:
  FakeSet(const std::vector<Entry>& entries, std::string pathPrefix)
      : entries_(entries), prefix_(std::move(pathPrefix)) {}

  std::uint32_t EnumInterface(std::uint32_t index) override {
    return index < entries_.size() ? entries_[index].enumError : kErrorNoMoreItems;
  }
  std::optional<InterfaceDetail> GetInterfaceDetail(std::uint32_t index) override {
    return InterfaceDetail{prefix_ + std::to_string(index), entries_[index].owner};
  }
  std::optional<DevNode> EnumDeviceInfo(std::uint32_t index) override { return entries_[index].element; }
  std::uint32_t GetDeviceRegistryProperty(std::uint32_t, std::uint32_t, char*, std::uint32_t, std::uint32_t&) override {
    return kErrorInvalidData;
  }

 private:
  std::vector<Entry> entries_;
  std::string prefix_;
};

class FakeHandle : public StorageHandle {
 public:
  explicit FakeHandle(std::optional<std::uint32_t> number) : number_(number) {}
  std::optional<StorageDeviceNumber> GetDeviceNumber() override {
    if (!number_) return std::nullopt;
    return StorageDeviceNumber{kFileDeviceDisk, *number_, 0};
  }
  bool GetDriveLayout(std::span<std::byte>, std::uint32_t&) override { return false; }
  bool GetDriveLayoutEx(std::span<std::byte>, std::uint32_t&) override { return false; }

 private:
  std::optional<std::uint32_t> number_;
};

// The disk interface set holds `disks`, the CD-ROM set `cdRoms`; the write-once set is empty.
class FakeSystem : public DeviceInterfaces, public Storage {
 public:
  FakeSystem(std::vector<Entry> disks, std::vector<Entry> cdRoms) {
    sets_.emplace("disk", std::move(disks));
    sets_.emplace("cdrom", std::move(cdRoms));
  }

  std::unique_ptr<DeviceInfoSet> ClassDevsOfInterface(const Guid& interfaceClass) override {
    const std::string name = interfaceClass == kGuidDevInterfaceDisk    ? "disk"
                             : interfaceClass == kGuidDevInterfaceCdRom ? "cdrom"
                                                                        : "writeOnce";
    return std::make_unique<FakeSet>(sets_[name], name);
  }
  std::unique_ptr<DeviceInfoSet> ClassDevsOfEnumerator(std::string_view) override { return nullptr; }

  std::unique_ptr<StorageHandle> Open(std::string_view path, std::uint32_t, std::uint32_t) override {
    const std::string name(path.substr(0, path.find_first_of("0123456789")));
    const Entry& entry = sets_[name][std::stoul(std::string(path.substr(name.size())))];
    return entry.opens ? std::make_unique<FakeHandle>(entry.number) : nullptr;
  }
  std::uint32_t GetLogicalDrives() override { return 0; }
  std::uint32_t GetDriveType(std::string_view) override { return 0; }

 private:
  std::map<std::string, std::vector<Entry>> sets_;
};

TEST(InterfaceProbe, SucceedsWhenThePathOpensAndTheNodeOwnsTheInterface) {
  constexpr std::uint32_t kFails = 0xFFFF;
  struct Case {
    const char* what;
    std::vector<Entry> disks;
    std::vector<Entry> cdRoms;
    std::uint32_t number;  // kFails: no probe succeeds
  } cases[] = {
      {"owned and open", {{.number = 3}}, {}, 3},
      {"owned by another node", {{.owner = kOther, .number = 3}}, {}, kFails},
      {"element of another node", {{.element = kOther, .number = 3}}, {}, kFails},
      {"path does not open", {{.opens = false, .number = 3}}, {}, kFails},
      {"a later success overwrites", {{.number = 3}, {.number = 4}}, {}, 4},
      {"a later failure keeps it",
       {{.number = 3}, {.opens = false, .number = 4}, {.owner = kOther, .number = 5}},
       {},
       3},
      {"number query fails: number 0", {{.number = std::nullopt}}, {}, 0},
      {"enumeration errors are skipped", {{.enumError = 31}, {.number = 3}}, {}, 3},
      {"the CD-ROM set when the disk set fails", {{.owner = kOther, .number = 3}}, {{.number = 1}}, 1},
      {"the disk set first", {{.number = 3}}, {{.number = 1}}, 3},
  };
  for (const Case& c : cases) {
    FakeSystem system(c.disks, c.cdRoms);
    InterfaceProbe probe(system, system);
    const auto found = probe.Probe(kNode);
    if (c.number == kFails) {
      EXPECT_FALSE(found) << c.what;
    } else {
      ASSERT_TRUE(found) << c.what;
      EXPECT_EQ(found->deviceNumber, c.number) << c.what;
      EXPECT_EQ(found->deviceType, c.number == 0 ? 0u : kFileDeviceDisk) << c.what;
    }
  }
}

}  // namespace
}  // namespace holvara
