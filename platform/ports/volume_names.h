// The object manager's names of the drive letters: which NT device a letter stands for.
#pragma once

#include <optional>
#include <string>

namespace holvara {

class VolumeNames {
 public:
  virtual ~VolumeNames() = default;

  // QueryDosDeviceA of "X:": the first target, such as \Device\HarddiskVolume3; nullopt when the
  // letter is not in use.
  virtual std::optional<std::string> DeviceOfDriveLetter(char letter) = 0;
};

}  // namespace holvara
