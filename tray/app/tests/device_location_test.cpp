#include "tray/app/device_location.h"

#include <gtest/gtest.h>

#include <string>

namespace holvara {
namespace {

struct LocationCase {
  const char* name;
  const char* objectName;
  const char* suffix;
  bool suffixTerminated;
  int host, port, target;
};

class DeviceLocationTest : public testing::TestWithParam<LocationCase> {};

TEST_P(DeviceLocationTest, ReadsHostPortTarget) {
  const LocationCase& c = GetParam();
  const DeviceLocation location = ParseDeviceLocation(c.objectName, c.suffix, c.suffixTerminated);
  EXPECT_EQ(location.host, c.host);
  EXPECT_EQ(location.port, c.port);
  EXPECT_EQ(location.target, c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceLocationTest,
    testing::Values(
        // The object name decides whenever it names a port.
        LocationCase{"ObjectNameWithPort", "\\Device\\Scsi\\abcPort2Path0Target1Lun0", "4&1a2b&0&010203", true, 2, 0,
                     1},
        // Without "Port" the suffix's last six digits are host, target, port.
        LocationCase{"SuffixWithoutPort", "\\Device\\Ide\\IdeDeviceP0T0L0-3", "4&1a2b&0&010203", true, 1, 3, 2},
        // "Path" and "Target" still override what the suffix gave.
        LocationCase{"PathAndTargetOverrideTheSuffix", "\\Device\\X\\Path4Target5", "000102", true, 0, 4, 5},
        // A suffix shorter than six characters gives nothing.
        LocationCase{"ShortSuffix", "\\Device\\00000042", "12345", true, 0, 0, 0},
        // A suffix that fills its field without a terminator gives nothing.
        LocationCase{"UnterminatedSuffix", "\\Device\\00000042", "abcdef010203", false, 0, 0, 0},
        // A blank after "Port" is taken modulo 256: ' ' - '0' = 240.
        LocationCase{"BlankAfterPort", "\\Device\\Scsi\\Port Path0", "", true, 240, 0, 0},
        // "Port" at the very end reads the terminator.
        LocationCase{"PortAtTheEnd", "\\Device\\Port", "", true, 208, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace holvara
