// Disk paths, volume paths and interface paths of a simulated machine, with their device
// numbers, drive layouts and drive letters.
#pragma once

#include "platform/ports/storage.h"
#include "platform/sim/machine.h"

namespace holvara::sim {

class SimStorage : public Storage {
 public:
  explicit SimStorage(Machine& machine) : machine_(machine) {}

  std::unique_ptr<StorageHandle> Open(std::string_view path, std::uint32_t access, std::uint32_t share) override;
  std::uint32_t GetLogicalDrives() override;
  std::uint32_t GetDriveType(std::string_view root) override;

 private:
  std::unique_ptr<StorageHandle> OpenDisk(std::uint32_t number, std::uint32_t access, std::uint32_t share);
  std::unique_ptr<StorageHandle> OpenVolume(char letter);
  std::unique_ptr<StorageHandle> OpenInterface(std::string_view path);
  const Volume* PresentVolume(char letter) const;

  Machine& machine_;
};

}  // namespace holvara::sim
