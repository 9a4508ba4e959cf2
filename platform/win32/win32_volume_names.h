// The volume-name port over QueryDosDeviceA.
#pragma once

#include "platform/ports/volume_names.h"

namespace holvara {

class Win32VolumeNames final : public VolumeNames {
 public:
  std::optional<std::string> DeviceOfDriveLetter(char letter) override;
};

}  // namespace holvara
