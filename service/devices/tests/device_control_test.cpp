#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "service/devices/tests/device_rig.h"
#include "service/devices/tests/machine_builder.h"

namespace holvara {
namespace {

using test_machines::Disk;
using test_machines::Sil3132With;

TEST(BasicDisk, ReadsTheFirstPartitionOfTheLayout) {
  struct Case {
    const char* disk;
    std::uint32_t reply;
  } cases[] = {
      {R"(, "layout": "mbr")", 1},
      {R"(, "layout": {"style": "mbr", "firstPartitionType": "0x42"})", 0},
      {R"(, "layout": {"style": "mbr", "firstPartitionType": 0})", 1},
      {R"(, "layout": {"style": "mbr", "firstPartitionType": "0x42", "classicQuery": false})", 1},
      {R"(, "layout": "gpt")", 1},
      {R"(, "layout": {"style": "gpt", "firstPartitionType": "msReserved"})", 1},
      {R"(, "layout": {"style": "gpt", "firstPartitionType": "ldmMetadata"})", 0},
      {R"(, "layout": {"style": "gpt", "firstPartitionType": "ldmData"})", 0},
      {R"(, "layout": "raw")", 0},
      {R"(, "layout": {"readable": false})", 0},
      {R"(, "access": "heldExclusively")", 0},
      {R"(, "access": "heldForReading")", 1},
      {R"(, "access": "denied")", 0},
  };
  for (const Case& c : cases) {
    DeviceRig rig(Sil3132With({Disk(1, "M", "0", c.disk)}));
    EXPECT_EQ(rig.service.CheckBasicDisk(1), c.reply) << c.disk;
    EXPECT_EQ(rig.service.CheckBasicDisk(7), 0u) << "missing disk";
  }
}

constexpr const char* kModel = "WDC_____WD20EARS";
constexpr const char* kSecondObject = "\\Device\\Scsi\\si3132Port0Path0Target1Lun0";

TEST(DeviceRemoval, NeedsTheExactFirstHardwareIdAndObjectName) {
  struct Case {
    const char* hardwareId;
    const char* objectName;
    std::uint32_t reply;
    std::uint32_t countAfter;
  } cases[] = {
      {"SCSI\\DiskWDC_____WD20EARS", kSecondObject, 1, 1},
      {"SCSI\\DiskWDC_____WD20EARS", "\\Device\\Scsi\\si3132Port0Path0Target9Lun0", 0, 2},
      {"SCSI\\diskwdc_____wd20ears", kSecondObject, 0, 2},
      {"GenDisk", kSecondObject, 0, 2},
      {"SCSI\\DiskWDC_____WD20EARS", "\\device\\scsi\\si3132Port0Path0Target1Lun0", 0, 2},
  };
  for (const Case& c : cases) {
    DeviceRig rig(Sil3132With({Disk(1, kModel, "0"), Disk(2, kModel, "1")}));
    ASSERT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 2u);
    EXPECT_EQ(rig.service.Remove(c.hardwareId, c.objectName), c.reply) << c.hardwareId << " " << c.objectName;
    ASSERT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), c.countAfter);
    if (c.reply == 1) {
      EXPECT_EQ(ReadField(rig.service.Record(0).devicePath), "\\\\.\\PhysicalDrive1");
    }
  }
}

TEST(DeviceRemoval, FailsWhenVetoedNotScsiOrUnreadable) {
  struct Case {
    const char* machine;
    const char* debugText;
  } cases[] = {
      {R"(, "removal": "vetoed")", "CM_Query_And_Remove_SubTree faile!!\n"},
      {R"(, "hardwareIdReadError": 31)", "GetDeviceRemove in"},
  };
  for (const Case& c : cases) {
    DeviceRig rig(Sil3132With({Disk(1, kModel, "1", "", c.machine)}));
    EXPECT_EQ(rig.service.Remove("SCSI\\DiskWDC_____WD20EARS", kSecondObject), 0u) << c.machine;
    EXPECT_EQ(rig.pc.debug().Count(c.debugText), 1u) << c.machine;
    EXPECT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 1u);
  }

  DeviceRig usb(R"({"tree": {"children": [{"id": "USB\\VID_1\\1", "hardwareIds": ["USB\\VID_1"], "children": [
    {"id": "USBSTOR\\Disk\\1", "hardwareIds": ["USBSTOR\\DiskX"], "deviceObject": "\\Device\\0000008a", "disk": {"number": 1}}]}]}})");
  EXPECT_EQ(usb.service.Remove("USBSTOR\\DiskX", "\\Device\\0000008a"), 0u);
}

TEST(DeviceRemoval, EveryDeviceMatchingBothTextsIsRemovedAndTheLastAttemptAnswers) {
  // Two nodes with the same first hardware ID and object name: both are asked to go, in order.
  struct Case {
    const char* firstRemoval;
    const char* secondRemoval;
    std::uint32_t reply;
    std::uint32_t countAfter;
  } cases[] = {
      {"succeeds", "vetoed", 0, 1},
      {"vetoed", "succeeds", 1, 1},
      {"succeeds", "succeeds", 1, 0},
      {"vetoed", "vetoed", 0, 2},
  };
  const auto twin = [](int number, const char* removal) {
    return R"({"id": "SCSI\\Disk&Ven_&Prod_TWIN\\5&1&0&00000)" + std::to_string(number) +
           R"(", "hardwareIds": ["SCSI\\DiskTWIN"], "deviceObject": "\\Device\\Scsi\\Twin", "removal": ")" + removal +
           R"(", "disk": {"number": )" + std::to_string(number) + "}}";
  };
  for (const Case& c : cases) {
    DeviceRig rig(Sil3132With({twin(1, c.firstRemoval), twin(2, c.secondRemoval)}));
    EXPECT_EQ(rig.service.Remove("SCSI\\DiskTWIN", "\\Device\\Scsi\\Twin"), c.reply)
        << c.firstRemoval << " " << c.secondRemoval;
    EXPECT_EQ(rig.pc.debug().Count("call CM_Query_And_Remove_SubTree function..."), 2u);
    EXPECT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), c.countAfter) << c.firstRemoval << " " << c.secondRemoval;
  }
}

TEST(DeviceRemoval, DebugTextsFollowTheComparison) {
  DeviceRig rig(Sil3132With({Disk(1, kModel, "0")}));
  ASSERT_EQ(rig.service.Remove("SCSI\\DiskWDC_____WD20EARS", "\\Device\\Other"), 0u);
  const std::vector<std::string> expected = {"GetDeviceRemove in",
                                             "---find Device to remove--",
                                             "pDevObj=",
                                             "\\Device\\Scsi\\si3132Port0Path0Target0Lun0",
                                             "\n",
                                             "szPDevObjName=",
                                             "\\Device\\Other",
                                             "\n",
                                             "rvDev != 0 err"};
  EXPECT_EQ(rig.pc.debug().texts(), expected);
}

TEST(DeviceRemoval, TakesTheDisksVolumesAlong) {
  DeviceRig rig(
      Sil3132With({Disk(1, kModel, "0", R"(, "volumes": ["E"])"), Disk(2, kModel, "1", R"(, "volumes": ["F"])")}));
  ASSERT_EQ(rig.service.Remove("SCSI\\DiskWDC_____WD20EARS", kSecondObject), 1u);
  EXPECT_EQ(rig.pc.storage().GetLogicalDrives(), 1u << ('E' - 'A'));
  EXPECT_EQ(rig.pc.debug().Count("rvDev != 0 err"), 1u);
}

TEST(DeviceRescan, NewDevicesAppearAtTheNextRefresh) {
  DeviceRig rig(Sil3132With({Disk(1, "A", "0"), Disk(2, "B", "1", "", R"(, "appearsAfterRescan": true)")}));
  EXPECT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 1u);
  EXPECT_EQ(rig.service.Rescan(), 1u);
  EXPECT_EQ(rig.pc.debug().Count("SetRescanDevice\n\n"), 1u);
  EXPECT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 2u);
  EXPECT_EQ(rig.service.Rescan(), 1u);
  EXPECT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 2u);

  DeviceRig failing(Sil3132With({Disk(2, "B", "1", "", R"(, "appearsAfterRescan": true)")}, R"(, "rescan": "fails")"));
  EXPECT_EQ(failing.service.Rescan(), 0u);
  EXPECT_EQ(failing.service.Refresh(SEARCH_SATA_ADAPTERS), 0u);
}

}  // namespace
}  // namespace holvara
