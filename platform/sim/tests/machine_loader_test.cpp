#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/sim/machine_loader.h"

namespace holvara::sim {
namespace {

std::string ErrorOf(const std::string& json) {
  try {
    LoadMachine(json, "m.json");
  } catch (const MachineError& e) {
    return e.what();
  }
  return "";
}

TEST(MachineLoader, NamesTheLineOrPathOfAFault) {
  struct Case {
    const char* json;
    const char* message;
  } cases[] = {
      {"{\"tree\": {\n  \"children\": [\n  }", "m.json: parse error at line 3, column 3"},
      {"", "m.json: parse error at line 1, column 1"},
      {"[]", "m.json: $: expected an object"},
      {"{}", "m.json: $: missing member \"tree\""},
      {R"({"tree": {"children": [{"disk": {"number": -1}}]}})",
       "m.json: $.tree.children[0].disk.number: expected an integer"},
      {R"({"tree": {"children": [{"disk": {}}]}})", "m.json: $.tree.children[0].disk: missing member \"number\""},
      {R"({"tree": {"children": [{"dsik": {}}]}})", "m.json: $.tree.children[0]: unknown member \"dsik\""},
      {R"({"tree": {"optical": {"number": 0, "pathOpens": false}}})",
       "m.json: $.tree.optical: unknown member \"pathOpens\""},
      {R"({"tree": {"children": [{"hardwareIds": "PCI\\X"}]}})",
       "m.json: $.tree.children[0].hardwareIds: expected an array"},
      {R"({"tree": {"removal": "maybe"}})", "m.json: $.tree.removal: \"maybe\" is not one of"},
      {R"({"tree": {"disk": {"number": 1, "volumes": ["c"]}}})",
       "m.json: $.tree.disk.volumes[0]: expected one drive letter"},
      {R"({"tree": {"disk": {"number": 1, "layout": {"style": "gpt", "firstPartitionType": "{1234}"}}}})",
       "m.json: $.tree.disk.layout.firstPartitionType: expected a GPT partition type GUID"},
      {R"({"tree": {"children": [{"id": "A\\1"}, {"id": "A\\1"}]}})",
       "m.json: $.tree.children[1]: the instance ID \"A\\1\" is used"},
      {R"({"tree": {"children": [{"id": "SCSI\\Disk\\1"}, {"id": "scsi\\disk\\1"}]}})",
       "m.json: $.tree.children[1]: the instance ID \"scsi\\disk\\1\" is used"},
      {R"({"tree": {}, "spannedVolumes": [{"letter": "S", "disks": [4]}]})",
       "m.json: $.spannedVolumes[0].disks[0]: no disk has the number 4"},
      {R"({"tree": {"veto": {"type": "openHandle"}}})", "m.json: $.tree.veto.type: \"openHandle\" is not one of"},
      {R"({"tree": {"removal": "succeeds", "veto": {"type": "driver"}}})",
       "m.json: $.tree: a node with a \"veto\" cannot have"},
      {R"({"tree": {"veto": {"type": "driver", "programs": [{"processId": 4, "image": "\\Device\\X\\a.exe"}]}}})",
       "m.json: $.tree.veto.programs: programs hold a device only with the veto types"},
      {R"({"tree": {"veto": {"type": "windowsApp", "programs": [{"image": "\\Device\\X\\a.exe"}]}}})",
       "m.json: $.tree.veto.programs[0]: missing member \"processId\""},
      {R"({"tree": {"veto": {"type": "windowsApp", "programs": [{"processId": 4, "image": "C:\\a.exe"}]}}})",
       "m.json: $.tree.veto.programs[0].image: expected a kernel path"},
      {R"({"tree": {"veto": {"type": "windowsApp", "programs": [{"processId": 4, "image": "\\a", "pid": 1}]}}})",
       "m.json: $.tree.veto.programs[0]: unknown member \"pid\""},
      {R"({"tree": {}, "eventLog": "full"})", "m.json: $.eventLog: \"full\" is not one of"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(ErrorOf(c.json).starts_with(c.message)) << c.json << "\n gave: " << ErrorOf(c.json);
  }
}

TEST(MachineLoader, DeepNestingIsRefusedWithoutCrashing) {
  std::string json = R"({"tree": )";
  for (int i = 0; i < 400; ++i) json += R"({"children": [)";
  json += "{}";
  for (int i = 0; i < 400; ++i) json += "]}";
  json += "}";
  EXPECT_NE(ErrorOf(json).find("nested deeper"), std::string::npos);
}

TEST(MachineLoader, DefaultsKeepSmallMachinesShort) {
  const Machine machine = LoadMachine(R"({"comment": "x", "tree": {"children": [
    {"id": "SCSI\\Disk\\1", "class": null, "disk": {"number": 3, "layout": "gpt", "volumes": ["E", {"letter": "F", "type": "removable"}]}}]}})");
  ASSERT_EQ(machine.nodes.size(), 2u);
  EXPECT_EQ(machine.nodes[0].instanceId, "HTREE\\ROOT\\0");
  EXPECT_EQ(machine.nodes[1].className, std::nullopt);
  EXPECT_EQ(machine.nodes[1].service, "disk");
  EXPECT_FALSE(machine.units[0].layout.classicQueryWorks);
  ASSERT_EQ(machine.volumes.size(), 2u);
  EXPECT_EQ(machine.volumes[1].partitionNumber, 2u);
  EXPECT_EQ(machine.volumes[1].driveType, 2u);
}

// A veto's programs are logged when the removal is refused, naming the device asked for, and a
// volume's device name follows its place in the file.
TEST(MachineLoader, VetoesLogTheirProgramsAndVolumesHaveDeviceNames) {
  Machine machine =
      LoadMachine(R"({"tree": {"children": [{"id": "SCSI\\Disk\\1", "disk": {"number": 0, "volumes": ["C"]}},
    {"id": "SCSI\\Disk\\2", "disk": {"number": 1, "volumes": ["E"]}, "children": [{"id": "STORAGE\\V\\2",
     "veto": {"type": "outstandingOpen", "component": "STORAGE\\V\\2", "programs": [{"processId": 7, "image": "\\Device\\HarddiskVolume1\\a.exe"}]}}]}]}})");
  ASSERT_NE(machine.RemoveSubtree(2), nullptr);
  ASSERT_EQ(machine.eventLog.size(), 1u);
  EXPECT_EQ(machine.eventLog[0].deviceInstanceId, "SCSI\\Disk\\2");
  EXPECT_EQ(machine.eventLog[0].program.processId, 7u);
  EXPECT_EQ(machine.DeviceOfDriveLetter('C'), "\\Device\\HarddiskVolume1");
  EXPECT_EQ(machine.DeviceOfDriveLetter('E'), "\\Device\\HarddiskVolume2");
  EXPECT_EQ(machine.DeviceOfDriveLetter('F'), std::nullopt);
  EXPECT_EQ(machine.RemoveSubtree(1), nullptr);
  EXPECT_EQ(machine.DeviceOfDriveLetter('C'), std::nullopt);
  machine.Restore();
  EXPECT_TRUE(machine.eventLog.empty());
}

TEST(MachineLoader, ExampleMachinesLoad) {
  for (const char* name : {"desktop", "pm-enclosure", "troubled", "in-use", "large"}) {
    const auto path =
        (std::filesystem::path(__FILE__).parent_path() / "../../../examples/machines" / name).string() + ".json";
    EXPECT_NO_THROW(LoadMachineFile(path)) << path;
  }
}

}  // namespace
}  // namespace holvara::sim
