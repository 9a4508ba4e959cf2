#include "service/devices/drive_letters.h"

namespace holvara {

std::string PhysicalDrivePath(int diskNumber) { return "\\\\.\\PhysicalDrive" + std::to_string(diskNumber); }

std::string VolumePath(char letter) { return std::string("\\\\.\\") + letter + ':'; }

std::string DriveRoot(char letter) { return std::string(1, letter) + ':'; }

}  // namespace holvara
