#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "service/devices/tests/device_rig.h"
#include "service/devices/tests/machine_builder.h"

namespace holvara {
namespace {

// A SiI3132 card with two disks (1 and 2) and an optical drive, beside a motherboard controller
// holding the system disk 0.
constexpr std::string_view kDesktop = R"({
  "tree": {"children": [
    {"id": "PCI\\VEN_8086&DEV_2922\\3&11583659&0&FA", "hardwareIds": ["PCI\\VEN_8086&DEV_2922&SUBSYS_00000000&REV_02"],
     "description": "Standard AHCI 1.0 Serial ATA Controller",
     "children": [{"id": "SCSI\\Disk&Ven_&Prod_SYSTEM\\4&2B3C&0&000000", "hardwareIds": ["SCSI\\DiskSYSTEM"],
                   "description": "Disk drive", "disk": {"number": 0, "volumes": ["C"]}}]},
    {"id": "PCI\\VEN_1095&DEV_3132&SUBSYS_31321095&REV_01\\4&1A2B3C4D&0&00E4",
     "hardwareIds": ["pci\\ven_1095&dev_3132&subsys_31321095&rev_01", "PCI\\VEN_1095&DEV_3132"],
     "description": "Silicon Image SiI 3132 SATALink Controller",
     "children": [
       {"id": "SCSI\\Disk&Ven_WDC&Prod_WD10EARS\\5&39F1&0&000000", "hardwareIds": ["SCSI\\DiskWDC_____WD10EARS", "GenDisk"],
        "description": "WDC WD10EARS-00Y5B1 SCSI Disk Device With A Long Name", "friendlyName": "WDC WD10EARS",
        "deviceObject": "\\Device\\Scsi\\si3132Port0Path0Target0Lun0", "disk": {"number": 1, "volumes": ["E", "G"]}},
       {"id": "SCSI\\Disk&Ven_WDC&Prod_WD10EARS\\5&39F1&0&010000", "hardwareIds": ["SCSI\\DiskWDC_____WD10EARS"],
        "description": "WDC WD10EARS", "deviceObject": "\\Device\\Scsi\\si3132Port0Path0Target1Lun0",
        "disk": {"number": 2, "volumes": [{"letter": "H", "type": "removable"}]}},
       {"id": "SCSI\\CdRom&Ven_PIONEER\\5&39F1&0&020000", "hardwareIds": ["SCSI\\CdRomPIONEER_DVD-RW"],
        "description": "CD-ROM Drive", "optical": {"number": 0, "letter": "D"}}
     ]}
  ]}
})";

TEST(DeviceSearch, CountsBySearchCode) {
  struct Case {
    std::uint32_t searchCode;
    std::uint32_t count;
  } cases[] = {
      {0, 0},
      {SEARCH_SATA_ADAPTERS, 3},
      {SEARCH_ALL_DEVICES, 4},
      {SEARCH_ALL_USB, 0},
      {0x80, 0},
      {SEARCH_SATA_ADAPTERS | SEARCH_ALL_1394, 0},  // the list starts with "1394\*": suffixes fail the unique-ID test
  };
  for (const Case& c : cases) {
    DeviceRig rig(kDesktop);
    EXPECT_EQ(rig.service.Refresh(c.searchCode), c.count) << "search code " << c.searchCode;
  }
}

TEST(DeviceSearch, RefreshWritesTheFirstSearchText) {
  struct Case {
    std::uint32_t searchCode;
    const char* firstText;
  } cases[] = {
      {0, ""},
      {SEARCH_SATA_ADAPTERS, "PCI\\VEN_1095&DEV_3132&SUBSYS_31321095&REV_"},
      {SEARCH_SATA_ADAPTERS | SEARCH_VENDOR_ADAPTERS, "1394\\ZELTO&IFC-1394CB"},
      {SEARCH_SATA_ADAPTERS | SEARCH_ALL_1394, "1394\\*"},
      {SEARCH_ALL_1394 | SEARCH_ALL_USB, "USB\\*"},
      {SEARCH_ALL_USB | SEARCH_IDE_CONTROLLERS, "USB\\*"},  // no IDE controller in this machine
      {SEARCH_ALL_USB | SEARCH_VENDOR_USB_1394, "USB\\VID_2E3A&PID_0101"},
      {0xFF, "*"},
  };
  for (const Case& c : cases) {
    DeviceRig rig(kDesktop);
    rig.service.Refresh(c.searchCode);
    const auto texts = rig.pc.debug().texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], "InitDeviceList szSearchDeviceStrings=");
    EXPECT_EQ(texts[1], c.firstText) << "search code " << c.searchCode;
  }
}

TEST(DeviceSearch, SataAdapterRecordsInDiskOrderThenOpticalDrives) {
  DeviceRig rig(kDesktop);
  ASSERT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 3u);

  const DeviceRecord first = rig.service.Record(0);
  EXPECT_EQ(first.present, 1u);
  EXPECT_EQ(first.deviceNumber, 1);
  EXPECT_EQ(ReadField(first.devicePath), "\\\\.\\PhysicalDrive1");
  EXPECT_EQ(ReadField(first.driveLetters), "EG");
  EXPECT_EQ(first.driveType, kDriveFixed);
  EXPECT_EQ(ReadField(first.friendlyName), "WDC WD10EARS");
  EXPECT_EQ(ReadField(first.adapterDescription), "Silicon Image SiI 3132 SATALink Controller");
  EXPECT_EQ(ReadField(first.parentHardwareId), "pci\\ven_1095&dev_3132&subsys_31321095&rev_01");
  EXPECT_EQ(ReadField(first.grandparentHardwareId), "");
  EXPECT_EQ(ReadField(first.deviceDescription), "WDC WD10EARS-00Y5B1 SCSI Disk Devic");
  EXPECT_EQ(ReadField(first.hardwareId), "SCSI\\DiskWDC_____WD10EARS");
  EXPECT_EQ(ReadField(first.instanceSuffix), "5&39F1&0&000000");
  EXPECT_EQ(ReadField(first.deviceObjectName), "\\Device\\Scsi\\si3132Port0Path0Target0Lun0");

  const DeviceRecord removableVolume = rig.service.Record(1);
  EXPECT_EQ(ReadField(removableVolume.devicePath), "\\\\.\\PhysicalDrive2");
  EXPECT_EQ(ReadField(removableVolume.driveLetters), "");
  EXPECT_EQ(removableVolume.driveType, 0);

  const DeviceRecord optical = rig.service.Record(2);
  EXPECT_EQ(ReadField(optical.devicePath), "\\\\.\\D:");
  EXPECT_EQ(ReadField(optical.driveLetters), "D");
  EXPECT_EQ(optical.driveType, kDriveCdRom);
  EXPECT_EQ(optical.deviceNumber, 0);
}

TEST(DeviceSearch, EmptyAndOutOfTableSlotsAreAllZero) {
  DeviceRig rig(kDesktop);
  rig.service.Refresh(SEARCH_SATA_ADAPTERS);
  const DeviceRecord zero{};
  for (const std::uint8_t index : {std::uint8_t{3}, std::uint8_t{25}, std::uint8_t{26}, std::uint8_t{255}}) {
    const DeviceRecord record = rig.service.Record(index);
    EXPECT_EQ(std::memcmp(&record, &zero, sizeof record), 0) << "slot " << int(index);
  }
}

}  // namespace
}  // namespace holvara

namespace holvara {
namespace {

using test_machines::Disk;
using test_machines::Sil3132With;

TEST(DeviceSearch, DiskBelowTwoMatchedNodesTakesOneSlotLinkedToTheFirst) {
  // The bridge is the hub's only (so last) child, so the hub's scan reaches the disk too.
  DeviceRig rig(R"({"tree": {"children": [
    {"id": "PCI\\HUB\\1", "hardwareIds": ["PCI\\HUB"], "description": "Hub", "children": [
      {"id": "PCI\\BRIDGE\\1", "hardwareIds": ["PCI\\BRIDGE"], "description": "Bridge", "children": [
        {"id": "SCSI\\Disk\\000000", "hardwareIds": ["SCSI\\DiskX"], "disk": {"number": 1}}]}]}]}})");
  ASSERT_EQ(rig.service.Refresh(SEARCH_ALL_DEVICES), 1u);
  EXPECT_EQ(ReadField(rig.service.Record(0).adapterDescription), "Hub");
}

TEST(DeviceSearch, TwentySeventhDriveTakesNoSlot) {
  std::vector<std::string> disks;
  for (int n = 0; n < 27; ++n) disks.push_back(Disk(n, "D" + std::to_string(n), std::to_string(n % 10)));
  DeviceRig rig(Sil3132With(disks));
  EXPECT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 26u);
  EXPECT_EQ(ReadField(rig.service.Record(25).devicePath), "\\\\.\\PhysicalDrive25");
}

TEST(DeviceSearch, PatternsArePrefixesIgnoringCaseWithoutTheirFinalStar) {
  struct Case {
    const char* adapterId;
    std::uint32_t searchCode;
    std::uint32_t count;
  } cases[] = {
      {"1394\\\\zelto&dw-hdc500", SEARCH_VENDOR_USB_1394, 1},
      {"1394\\\\ZELTO&DW-HDC", SEARCH_VENDOR_USB_1394, 1},
      {"1394\\\\ZELTO&DW-HD", SEARCH_VENDOR_USB_1394, 0},
      {"PCI\\\\VEN_1095&DEV_3124&SUBSYS_31241095&REV_07", SEARCH_SATA_ADAPTERS, 1},
      {"PCI\\\\VEN_1B4B&DEV_9123&SUBSYS_91231E3A&REV_12", SEARCH_SATA_ADAPTERS, 0},
      {"USB\\\\VID_0781&PID_5567", SEARCH_ALL_USB, 1},
      {"USB\\\\VID_0781&PID_5567", SEARCH_VENDOR_USB_1394, 0},
  };
  for (const Case& c : cases) {
    DeviceRig rig(std::string(R"({"tree": {"children": [{"id": "X\\1", "hardwareIds": [")") + c.adapterId +
                  R"("], "children": [{"id": "X\\2", "hardwareIds": ["X\\Disk"], "disk": {"number": 1}}]}]}})");
    EXPECT_EQ(rig.service.Refresh(c.searchCode), c.count) << c.adapterId << " " << c.searchCode;
  }
}

TEST(DeviceSearch, ChildScanFollowsTheLineOfLastChildren) {
  // Below the adapter: disk 1, then a hub holding disk 3 (not scanned: the hub is not the last
  // child), then a bridge (the last child) holding disk 2 and a port whose disk 4 is reached too.
  DeviceRig rig(Sil3132With({
      Disk(1, "A", "0"),
      R"({"id": "X\\HUB", "hardwareIds": ["X\\HUB"], "children": [)" + Disk(3, "C", "2") + "]}",
      R"({"id": "X\\BRIDGE", "hardwareIds": ["X\\BRIDGE"], "children": [)" + Disk(2, "B", "1") +
          R"(, {"id": "X\\PORT", "hardwareIds": ["X\\PORT"], "children": [)" + Disk(4, "D", "3") + "]}]}",
  }));
  ASSERT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), 3u);
  EXPECT_EQ(ReadField(rig.service.Record(0).devicePath), "\\\\.\\PhysicalDrive1");
  EXPECT_EQ(ReadField(rig.service.Record(1).devicePath), "\\\\.\\PhysicalDrive2");
  EXPECT_EQ(ReadField(rig.service.Record(2).devicePath), "\\\\.\\PhysicalDrive4");
  EXPECT_EQ(ReadField(rig.service.Record(2).grandparentHardwareId), "X\\BRIDGE");
}

TEST(DeviceSearch, DiskPathsWithoutANodeTakeNoSlot) {
  struct Case {
    const char* diskExtra;
    const char* nodelessDisks;
    std::uint32_t count;
  } cases[] = {
      {"", R"([{"number": 0}, {"number": 2, "volumes": ["F"]}])", 1},
      // The node's number query fails, so it keeps number 0 of type 0: disk 0 (type 7) is not its drive.
      {R"(, "numberQuery": false)", R"([{"number": 0}])", 0},
  };
  for (const Case& c : cases) {
    DeviceRig rig(
        Sil3132With({Disk(1, "M", "0", c.diskExtra)}, std::string(R"(, "nodelessDisks": )") + c.nodelessDisks));
    ASSERT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), c.count) << c.nodelessDisks;
    if (c.count == 1) {
      EXPECT_EQ(ReadField(rig.service.Record(0).devicePath), "\\\\.\\PhysicalDrive1");
    }
  }
}

TEST(DeviceSearch, StorageThatDoesNotAnswerTakesNoSlot) {
  struct Case {
    const char* diskExtra;
    std::uint32_t count;
  } cases[] = {
      {"", 1},
      {R"(, "interfaceOpens": false)", 0},
      {R"(, "numberQuery": false)", 0},
      {R"(, "pathOpens": false)", 0},
      {R"(, "interface": "writeOnce")", 1},
  };
  for (const Case& c : cases) {
    DeviceRig rig(Sil3132With({Disk(1, "M", "0", c.diskExtra)}));
    EXPECT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), c.count) << c.diskExtra;
  }
}

TEST(DeviceSearch, Ieee1394DevicesNeedTheVendorsUniqueId) {
  struct Case {
    const char* suffix;
    std::uint32_t count;
  } cases[] = {
      {"0C3A7EB1000012AB", 1}, {"0c3a7e00000012ab", 1}, {"0C3A7EB1FFFFFFFF", 0}, {"0C3A7EB1", 0},
      {"0C3A7EB2000012AB", 0}, {"0C3A7EB112G45678", 1},  // reading stops at "G": the low half is 0x12
      {"0C3A7EB1-00012AB", 0},
  };
  for (const Case& c : cases) {
    DeviceRig rig(std::string(R"({"tree": {"children": [{"id": "1394\\BUS\\1", "hardwareIds": ["1394\\ZELTO&DW-HD1394"],
      "children": [{"id": "SBP2\\ZELTO&DW-HD1394\\)") +
                  c.suffix + R"(", "hardwareIds": ["SBP2\\ZELTO"], "disk": {"number": 1}}]}]}})");
    EXPECT_EQ(rig.service.Refresh(SEARCH_ALL_1394), c.count) << c.suffix;
  }
}

TEST(DeviceSearch, IdeControllersAreThoseOfTheClassWithAnAtaService) {
  constexpr const char* kIdeClass = "{4d36e96a-e325-11ce-bfc1-08002be10318}";
  struct Case {
    std::string className;
    std::string classGuid;
    const char* service;
    std::uint32_t count;
  } cases[] = {
      {"HDC", kIdeClass, "atapi", 1},
      {"hdcX", std::string(kIdeClass) + "X", "ATAport", 1},  // only the first 38 and 3 characters count
      {"HDC", kIdeClass, "msahci", 0},
      {"HDC", kIdeClass, "at", 0},
      {"HD", kIdeClass, "atapi", 0},
      {"SCSIAdapter", kIdeClass, "atapi", 0},
      {"HDC", "{4D36E97B-E325-11CE-BFC1-08002BE10318}", "atapi", 0},
      {"HDC", std::string(kIdeClass).substr(0, 37), "atapi", 0},
  };
  for (const Case& c : cases) {
    DeviceRig rig(R"({"tree": {"children": [{"id": "PCI\\IDE\\1", "hardwareIds": ["PCI\\VEN_8086&DEV_2922"],
      "class": ")" +
                  c.className + R"(", "classGuid": ")" + c.classGuid + R"(", "service": ")" + c.service + R"(",
      "children": [{"id": "IDE\\Disk\\0.0.0", "hardwareIds": ["IDE\\DiskX"], "disk": {"number": 0}}]}]}})");
    EXPECT_EQ(rig.service.Refresh(SEARCH_IDE_CONTROLLERS), c.count)
        << c.className << " " << c.classGuid << " " << c.service;
  }
}

TEST(DeviceSearch, IdeControllerListHoldsAtMost256BytesWithItsNuls) {
  // IDs of 200, then 53 or 54, then 40 characters: 201 + 54 + the final NUL fill the 256 bytes exactly.
  const auto controller = [](int n, std::size_t idLength) {
    const std::string id = "PCI\\\\IDE" + std::to_string(n) + "&";
    return R"({"id": "PCI\\IDE\\)" + std::to_string(n) + R"(", "hardwareIds": [")" + id +
           std::string(idLength - 9, 'A') +
           R"("], "class": "HDC", "classGuid": "{4D36E96A-E325-11CE-BFC1-08002BE10318}", "service": "atapi",
           "children": [{"id": "IDE\\Disk\\)" +
           std::to_string(n) + R"(", "hardwareIds": ["IDE\\DiskX"], "disk": {"number": )" + std::to_string(n) + "}}]}";
  };
  struct Case {
    std::size_t secondIdLength;
    const char* secondSlotPath;
  } cases[] = {{53, "\\\\.\\PhysicalDrive2"}, {54, "\\\\.\\PhysicalDrive3"}};
  for (const Case& c : cases) {
    DeviceRig rig(R"({"tree": {"children": [)" + controller(1, 200) + "," + controller(2, c.secondIdLength) + "," +
                  controller(3, 40) + "]}}");
    ASSERT_EQ(rig.service.Refresh(SEARCH_IDE_CONTROLLERS), 2u) << c.secondIdLength;
    EXPECT_EQ(ReadField(rig.service.Record(0).devicePath), "\\\\.\\PhysicalDrive1");
    EXPECT_EQ(ReadField(rig.service.Record(1).devicePath), c.secondSlotPath) << c.secondIdLength;
  }
}

TEST(DeviceSearch, OpticalDrivesNeedALetterAndACdRomDescription) {
  struct Case {
    const char* description;
    const char* letter;
    std::uint32_t count;
  } cases[] = {{"CD-ROM Drive", "\"E\"", 1}, {"CD-ROM Drive", "null", 0}, {"cd-rom drive", "\"E\"", 0}};
  for (const Case& c : cases) {
    DeviceRig rig(
        Sil3132With({std::string(R"({"id": "SCSI\\CdRom\\010000", "hardwareIds": ["SCSI\\CdRomX"], "description": ")") +
                     c.description + R"(", "optical": {"number": 0, "letter": )" + c.letter + "}}"}));
    EXPECT_EQ(rig.service.Refresh(SEARCH_SATA_ADAPTERS), c.count) << c.description << " " << c.letter;
  }
}

TEST(DeviceSearch, UnprobeableMarvellChildIsNamedInTheDebugOutput) {
  const std::string longId(300, 'x');
  struct Case {
    std::string child;
    std::size_t namings;
  } cases[] = {
      {R"("hardwareIds": ["1b4b-9123"])", 1},
      {R"("hardwareIds": ["1B4B-9123"])", 0},
      {R"("hardwareIds": ["1b4b-9123", ")" + longId + R"("])", 0},  // the list does not fit the child scan's buffer
      {R"("hardwareIds": ["1b4b-9123"], "disk": {"number": 1})", 0},
  };
  for (const Case& c : cases) {
    DeviceRig rig(R"({"tree": {"children": [{"id": "PCI\\VEN_1B4B&DEV_9123\\1",
      "hardwareIds": ["PCI\\VEN_1B4B&DEV_9123&SUBSYS_91231E3A&REV_11"], "children": [{"id": "PCI\\1B4B\\2", )" +
                  c.child + "}]}]}}");
    rig.service.Refresh(SEARCH_SATA_ADAPTERS);
    const auto texts = rig.pc.debug().texts();
    const auto naming = std::find(texts.begin(), texts.end(), "strHardwareId=");
    EXPECT_EQ(rig.pc.debug().Count("strHardwareId="), c.namings) << c.child;
    if (naming != texts.end()) {
      ASSERT_NE(naming + 1, texts.end());
      EXPECT_EQ(naming[1], "1b4b-9123");
    }
  }
}

TEST(DeviceSearch, NothingIsFoundWhenTheRootCannotBeLocated) {
  DeviceRig rig(Sil3132With({Disk(1, "M", "0")}, R"(, "rootLocatable": false)"));
  EXPECT_EQ(rig.service.Refresh(SEARCH_ALL_DEVICES), 0u);
  EXPECT_EQ(rig.service.Rescan(), 0u);
}

TEST(DeviceSearch, EachInterfaceSetIsBuiltAtMostOncePerRefresh) {
  DeviceRig rig(kDesktop);
  rig.service.Refresh(SEARCH_ALL_DEVICES | SEARCH_SATA_ADAPTERS);
  EXPECT_LE(rig.service.list().lastInterfaceSetBuilds(), 3u);
  EXPECT_EQ(rig.pc.interfaces().setsBuilt(), rig.service.list().lastInterfaceSetBuilds());
  EXPECT_EQ(rig.pc.interfaces().setsOpen(), 0u);
  EXPECT_EQ(rig.service.Refresh(0), 0u);
  EXPECT_EQ(rig.service.list().lastInterfaceSetBuilds(), 0u);
  EXPECT_EQ(rig.service.Record(0).present, 0u);
}

}  // namespace
}  // namespace holvara
