#include "platform/win32/win32_volume_names.h"

#include <windows.h>

namespace holvara {

std::optional<std::string> Win32VolumeNames::DeviceOfDriveLetter(char letter) {
  const char drive[3] = {letter, ':', '\0'};
  // The answer is a multi-string of targets; the first is the one in use.
  char targets[MAX_PATH + 2] = {};
  if (QueryDosDeviceA(drive, targets, MAX_PATH) == 0) return std::nullopt;
  targets[MAX_PATH] = '\0';
  return std::string(targets);
}

}  // namespace holvara
