#include "platform/sim/sim_storage.h"

#include <charconv>
#include <cstring>
#include <vector>

#include "common/protocol.h"
#include "platform/ports/drive_layout.h"

namespace holvara::sim {
namespace {

constexpr std::string_view kPhysicalDrivePrefix = "\\\\.\\PhysicalDrive";
constexpr std::string_view kVolumePrefix = "\\\\.\\";
constexpr std::uint32_t kClassicEntries = 4;

template <typename T>
void Put(std::vector<std::byte>& bytes, std::size_t offset, const T& value) {
  std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

std::vector<std::byte> ClassicLayout(const DiskLayout& layout) {
  std::vector<std::byte> bytes(drive_layout::kClassicHeaderSize + kClassicEntries * drive_layout::kClassicEntrySize);
  Put(bytes, 0, kClassicEntries);
  Put(bytes, drive_layout::kClassicFirstPartitionType, layout.firstMbrType);
  return bytes;
}

std::vector<std::byte> ExtendedLayout(const DiskLayout& layout) {
  using namespace drive_layout;
  const std::uint32_t entries = layout.style == PartitionStyle::kMbr ? 4 : layout.style == PartitionStyle::kGpt ? 1 : 0;
  std::vector<std::byte> bytes(kExHeaderSize + entries * kExEntrySize);
  switch (layout.style) {
    case PartitionStyle::kMbr:
      Put(bytes, kExPartitionStyle, kStyleMbr);
      Put(bytes, kExFirstMbrPartitionType, layout.firstMbrType);
      break;
    case PartitionStyle::kGpt:
      Put(bytes, kExPartitionStyle, kStyleGpt);
      Put(bytes, kExFirstGptPartitionType, layout.firstGptType);
      break;
    case PartitionStyle::kRaw:
      Put(bytes, kExPartitionStyle, kStyleRaw);
      break;
  }
  Put(bytes, kExPartitionCount, entries);
  return bytes;
}

// Fills the caller's buffer as DeviceIoControl does: all or nothing.
bool Answer(const std::vector<std::byte>& layout, std::span<std::byte> buffer, std::uint32_t& bytesReturned) {
  bytesReturned = 0;
  if (buffer.size() < layout.size()) return false;
  std::memcpy(buffer.data(), layout.data(), layout.size());
  bytesReturned = static_cast<std::uint32_t>(layout.size());
  return true;
}

class SimStorageHandle : public StorageHandle {
 public:
  SimStorageHandle(std::optional<StorageDeviceNumber> number, std::optional<DiskLayout> layout)
      : number_(number), layout_(layout) {}

  std::optional<StorageDeviceNumber> GetDeviceNumber() override { return number_; }

  bool GetDriveLayout(std::span<std::byte> buffer, std::uint32_t& bytesReturned) override {
    bytesReturned = 0;
    if (!layout_ || !layout_->readable || !layout_->classicQueryWorks) return false;
    return Answer(ClassicLayout(*layout_), buffer, bytesReturned);
  }

  bool GetDriveLayoutEx(std::span<std::byte> buffer, std::uint32_t& bytesReturned) override {
    bytesReturned = 0;
    if (!layout_ || !layout_->readable) return false;
    return Answer(ExtendedLayout(*layout_), buffer, bytesReturned);
  }

 private:
  std::optional<StorageDeviceNumber> number_;
  std::optional<DiskLayout> layout_;  // only for a disk opened for reading
};

std::optional<StorageDeviceNumber> NumberOf(const StorageUnit& unit) {
  if (!unit.numberQueryWorks) return std::nullopt;
  return StorageDeviceNumber{unit.optical ? kFileDeviceCdRom : kFileDeviceDisk, unit.number,
                             unit.optical ? 0xFFFFFFFFu : 0};
}

}  // namespace

std::unique_ptr<StorageHandle> SimStorage::Open(std::string_view path, std::uint32_t access, std::uint32_t share) {
  if (path.starts_with(kPhysicalDrivePrefix)) {
    const std::string_view digits = path.substr(kPhysicalDrivePrefix.size());
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return nullptr;
    return OpenDisk(number, access, share);
  }
  if (path.size() == kVolumePrefix.size() + 2 && path.starts_with(kVolumePrefix) && path.back() == ':') {
    return OpenVolume(path[kVolumePrefix.size()]);
  }
  return OpenInterface(path);
}

std::unique_ptr<StorageHandle> SimStorage::OpenDisk(std::uint32_t number, std::uint32_t access, std::uint32_t share) {
  for (std::size_t u = 0; u < machine_.units.size(); ++u) {
    const StorageUnit& unit = machine_.units[u];
    if (unit.optical || unit.number != number || !machine_.IsUnitPresent(u)) continue;
    if (!unit.pathOpens) return nullptr;
    const bool forReading = (access & (kGenericRead | kGenericWrite)) != 0;
    if (!forReading) return std::make_unique<SimStorageHandle>(NumberOf(unit), std::nullopt);
    const bool sharedWithTheReader = unit.layoutAccess == LayoutAccess::kHeldForReading && (share & kShareRead) != 0;
    if (unit.layoutAccess != LayoutAccess::kOpens && !sharedWithTheReader) return nullptr;
    return std::make_unique<SimStorageHandle>(NumberOf(unit), unit.layout);
  }
  return nullptr;
}

const Volume* SimStorage::PresentVolume(char letter) const {
  for (const Volume& volume : machine_.volumes) {
    if (volume.letter == letter && machine_.IsVolumePresent(volume)) return &volume;
  }
  return nullptr;
}

std::unique_ptr<StorageHandle> SimStorage::OpenVolume(char letter) {
  const Volume* volume = PresentVolume(letter);
  if (!volume) return nullptr;
  std::optional<StorageDeviceNumber> number;
  if (volume->numberQueryWorks) {
    const StorageUnit& unit = machine_.units[volume->units.front()];
    number =
        StorageDeviceNumber{unit.optical ? kFileDeviceCdRom : kFileDeviceDisk, unit.number, volume->partitionNumber};
  }
  return std::make_unique<SimStorageHandle>(number, std::nullopt);
}

std::unique_ptr<StorageHandle> SimStorage::OpenInterface(std::string_view path) {
  const auto unit = machine_.UnitOfInterfacePath(path);
  if (!unit || !machine_.IsUnitPresent(*unit) || !machine_.units[*unit].interfaceOpens) return nullptr;
  return std::make_unique<SimStorageHandle>(NumberOf(machine_.units[*unit]), std::nullopt);
}

std::uint32_t SimStorage::GetLogicalDrives() {
  std::uint32_t mask = 0;
  for (const Volume& volume : machine_.volumes) {
    if (machine_.IsVolumePresent(volume)) mask |= 1u << (volume.letter - 'A');
  }
  return mask;
}

std::uint32_t SimStorage::GetDriveType(std::string_view root) {
  constexpr std::uint32_t kDriveNoRootDir = 1;
  if (root.size() < 2 || root[1] != ':') return kDriveNoRootDir;
  const Volume* volume = PresentVolume(root[0]);
  return volume ? volume->driveType : kDriveNoRootDir;
}

}  // namespace holvara::sim
