#include <gtest/gtest.h>

#include "service/devices/tests/device_rig.h"
#include "service/devices/tests/machine_builder.h"

namespace holvara {
namespace {

using test_machines::Disk;
using test_machines::Sil3132With;

std::string TwoDisks(const std::string& volumesOfDisk1, const std::string& machineExtra = "") {
  return Sil3132With({Disk(1, "A", "0", volumesOfDisk1), Disk(2, "B", "1", R"(, "volumes": ["K"])")}, machineExtra);
}

TEST(DeviceRecords, LettersComeFromVolumesThatNameTheDisk) {
  struct Case {
    const char* volumesOfDisk1;
    const char* machineExtra;
    const char* letters1;
    std::uint8_t driveType1;
    const char* letters2;
  } cases[] = {
      {R"(, "volumes": ["G", "E"])", "", "EG", kDriveFixed, "K"},
      {R"(, "volumes": [{"letter": "E", "type": "removable"}])", "", "", 0, "K"},
      {R"(, "volumes": [{"letter": "E", "numberQuery": false}])", "", "E", kDriveFixed, "K"},
      {R"(, "volumes": [{"letter": "E", "numberQuery": false}])", R"(, "wmi": {"com": "fails"})", "", 0, "K"},
      {R"(, "volumes": [{"letter": "E", "numberQuery": false}])", R"(, "wmi": {"security": "alreadySet"})", "E",
       kDriveFixed, "K"},
      {R"(, "volumes": [{"letter": "E", "numberQuery": false}])", R"(, "wmi": {"security": "fails"})", "", 0, "K"},
      {R"(, "volumes": [{"letter": "E", "numberQuery": false}])", R"(, "wmi": {"connect": false})", "", 0, "K"},
      {R"(, "volumes": [{"letter": "E", "numberQuery": false}])", R"(, "wmi": {"query": false})", "", 0, "K"},
      // A spanned volume has a partition on both disks; the last one WMI reports wins.
      {"", R"(, "spannedVolumes": [{"letter": "S", "disks": [2, 1]}])", "", 0, "KS"},
  };
  for (const Case& c : cases) {
    DeviceRig rig(TwoDisks(c.volumesOfDisk1, c.machineExtra));
    ASSERT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 2u);
    const DeviceRecord first = rig.service.Record(0);
    EXPECT_EQ(ReadField(first.driveLetters), c.letters1) << c.volumesOfDisk1 << c.machineExtra;
    EXPECT_EQ(first.driveType, c.driveType1) << c.volumesOfDisk1 << c.machineExtra;
    EXPECT_EQ(rig.Letters(1), c.letters2) << c.volumesOfDisk1 << c.machineExtra;
    EXPECT_EQ(rig.pc.wmi().comDepth(), 0);
  }
}

TEST(DeviceRecords, LettersAreLookedUpAfreshForEachRecord) {
  DeviceRig rig(TwoDisks(R"(, "volumes": ["E"])"));
  rig.service.Refresh(SEARCH_SATA_ADAPTERS);
  EXPECT_EQ(rig.Letters(0), "E");
  rig.pc.machine().volumes.front().letter = 'M';
  EXPECT_EQ(rig.Letters(0), "M");
}

TEST(DeviceRecords, TextsLongerThanTheirFieldsAreCut) {
  const std::string longText(300, 'x');
  DeviceRig rig(Sil3132With({R"({"id": "SCSI\\Disk\\)" + longText + R"(", "hardwareIds": [")" + longText + R"("],
    "description": ")" + longText +
                             R"(", "friendlyName": ")" + longText + R"(", "deviceObject": ")" + longText + R"(",
    "disk": {"number": 1}})"}));
  ASSERT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 1u);
  const DeviceRecord record = rig.service.Record(0);
  EXPECT_EQ(ReadField(record.friendlyName).size(), 127u);
  EXPECT_EQ(ReadField(record.deviceDescription).size(), 35u);
  EXPECT_EQ(ReadField(record.hardwareId).size(), 63u);
  EXPECT_EQ(ReadField(record.deviceObjectName).size(), 127u);
  // An instance ID longer than the 260-byte buffer cannot be read: the suffix is empty.
  EXPECT_EQ(ReadField(record.instanceSuffix), "");
}

}  // namespace
}  // namespace holvara
