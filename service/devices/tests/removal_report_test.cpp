#include <gtest/gtest.h>

#include <string>

#include "common/veto_types.h"
#include "service/devices/tests/device_rig.h"
#include "service/devices/tests/machine_builder.h"

namespace holvara {
namespace {

using test_machines::Disk;
using test_machines::Sil3132With;

constexpr const char* kModel = "WDC_____WD20EARS";
constexpr const char* kHeldObject = "\\Device\\Scsi\\si3132Port0Path0Target1Lun0";

// The report in one line, so that a table case shows every field it got.
std::string Describe(const RemovalReport& report) {
  std::string text = "result=" + std::to_string(report.result) + " vetoed=" + std::to_string(report.vetoed) + " " +
                     std::string(VetoTypeName(report.vetoType)) + " name=" + std::string(ReadField(report.vetoName)) +
                     " cut=" + std::to_string(report.programsCut) + " programs=";
  for (std::uint32_t i = 0; i < report.programCount && i < kMaxBlockingPrograms; ++i) {
    text += "[" + std::to_string(report.programs[i].processId) + " " +
            std::string(ReadField(report.programs[i].imagePath)) + "]";
  }
  return text;
}

std::string Program(int processId, const std::string& image) {
  return R"({"processId": )" + std::to_string(processId) + R"(, "image": ")" + image + R"("})";
}

// The system disk's C: is the machine's first volume (\Device\HarddiskVolume1), the held disk's
// E: its second.
std::string HeldMachine(const std::string& veto, const std::string& machineExtra = "") {
  return Sil3132With({Disk(0, "SYSTEM", "0", R"(, "volumes": ["C"])"),
                      Disk(1, kModel, "1", R"(, "volumes": ["E"])", veto.empty() ? "" : R"(, "veto": )" + veto)},
                     machineExtra);
}

TEST(RemovalReport, SaysWhoVetoedAndWhichProgramsHoldTheDevice) {
  const std::string fan = Program(16148, R"(\\Device\\HarddiskVolume1\\Tools\\FanControl.exe)");
  const std::string backup = Program(7, R"(\\Device\\HarddiskVolume1\\Backup\\bk.exe)");
  const std::string open = R"({"type": "outstandingOpen", "component": "STORAGE\\Volume\\E", "programs": [)";
  struct Case {
    const char* name;
    std::string veto;
    std::string machineExtra;
    std::string report;
  } cases[] = {
      {"no veto", "", "", "result=1 vetoed=0 unknown name= cut=0 programs="},
      {"one program", open + fan + "]}", "",
       "result=0 vetoed=1 outstandingOpen name=STORAGE\\Volume\\E cut=0 programs=[16148 C:\\Tools\\FanControl.exe]"},
      {"two programs, the second logged twice", open + fan + "," + backup + "," + backup + "]}", "",
       "result=0 vetoed=1 outstandingOpen name=STORAGE\\Volume\\E cut=0 programs=[16148 C:\\Tools\\FanControl.exe]"
       "[7 C:\\Backup\\bk.exe]"},
      {"more programs than the record holds",
       open + Program(1, "\\\\Device\\\\HarddiskVolume1\\\\a.exe") + "," +
           Program(2, "\\\\Device\\\\HarddiskVolume1\\\\b.exe") + "," +
           Program(3, "\\\\Device\\\\HarddiskVolume1\\\\c.exe") + "," +
           Program(4, "\\\\Device\\\\HarddiskVolume1\\\\d.exe") + "," +
           Program(5, "\\\\Device\\\\HarddiskVolume1\\\\e.exe") + "]}",
       "",
       "result=0 vetoed=1 outstandingOpen name=STORAGE\\Volume\\E cut=1 programs=[1 C:\\a.exe][2 C:\\b.exe][3 C:\\c.exe]"
       "[4 C:\\d.exe]"},
      {"an image on a volume without a letter, and one on the held disk itself",
       open + Program(9, R"(\\Device\\HarddiskVolume9\\Portable\\tool.exe)") + "," +
           Program(10, R"(\\Device\\HarddiskVolume2\\run.exe)") + "]}",
       "",
       "result=0 vetoed=1 outstandingOpen name=STORAGE\\Volume\\E cut=0 programs="
       "[9 \\Device\\HarddiskVolume9\\Portable\\tool.exe][10 E:\\run.exe]"},
      {"a driver", R"({"type": "driver", "component": "\\Driver\\fltmgr"})", "",
       "result=0 vetoed=1 driver name=\\Driver\\fltmgr cut=0 programs="},
      {"an unreadable event log", open + fan + "]}", R"(, "eventLog": "unreadable")",
       "result=0 vetoed=1 outstandingOpen name=STORAGE\\Volume\\E cut=0 programs="},
      {"no matching event", R"({"type": "windowsApp", "component": "FanControl"})", "",
       "result=0 vetoed=1 windowsApp name=FanControl cut=0 programs="},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeviceRig rig(HeldMachine(c.veto, c.machineExtra));
    const RemovalReport report = rig.service.RemoveWithReport("SCSI\\DiskWDC_____WD20EARS", kHeldObject);
    EXPECT_EQ(Describe(report), c.report);
    EXPECT_LE(report.programCount, kMaxBlockingPrograms);
  }
}

// A program held another device of the same model: only this device's events are read.
TEST(RemovalReport, NamesOnlyTheProgramsOfThisDevice) {
  const std::string veto = R"({"type": "outstandingOpen", "programs": [)" +
                           Program(16148, R"(\\Device\\HarddiskVolume1\\FanControl.exe)") + "]}";
  DeviceRig rig(Sil3132With({Disk(0, kModel, "0", "", R"(, "veto": )" + veto),
                             Disk(1, kModel, "1", "", R"(, "veto": {"type": "outstandingOpen"})")}));
  ASSERT_EQ(rig.service.RemoveWithReport("SCSI\\DiskWDC_____WD20EARS", "\\Device\\Scsi\\si3132Port0Path0Target0Lun0")
                .programCount,
            1u);
  const RemovalReport second = rig.service.RemoveWithReport("SCSI\\DiskWDC_____WD20EARS", kHeldObject);
  EXPECT_EQ(second.vetoed, 1u);
  EXPECT_EQ(second.programCount, 0u);
}

// Command 3 stays as it was: the same outcome, without asking for the reason.
TEST(RemovalReport, CommandThreeIsUnchanged) {
  DeviceRig rig(HeldMachine(R"({"type": "driver", "component": "\\Driver\\fltmgr"})"));
  EXPECT_EQ(rig.service.Remove("SCSI\\DiskWDC_____WD20EARS", kHeldObject), 0u);
  EXPECT_EQ(rig.pc.debug().Count("CM_Query_And_Remove_SubTree faile!!\n"), 1u);
  EXPECT_EQ(rig.pc.debug().Count("GetDeviceRemoveReport in"), 0u);
}

}  // namespace
}  // namespace holvara
