// HolvaraCli on a simulated PC: a five-bay enclosure (four disks with letters E, F+G, H, I and one
// without a partition table) on one eSATA port and a DVD writer on the other; the system disk C
// hangs below the chipset. The service's own request dispatch answers the pipe.
#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_kernel.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/simulated_pc.h"
#include "service/devices/device_service.h"
#include "service/host/request_dispatcher.h"
#include "tray/app/device_list.h"
#include "tray/cli/holvara_cli.h"

namespace holvara::cli {
namespace {

constexpr char kSettingsKey[] = "Software\\ZELTO\\Holvara\\Common";

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

class EnclosurePc {
 public:
  explicit EnclosurePc(const std::string& machine = "pm-enclosure") : pc_{sim::LoadMachineFile(MachinePath(machine))} {
    files_.SetWindowsDirectory("C:\\Windows");
    files_.SetCurrentDirectory("C:\\Windows\\system32");
    StartService();
  }

  void StartService() {
    kernel_.ipc().AttachResponder(kPipeName, kFinishedEventName, [this](const ServiceRequest& request) {
      std::vector<std::uint8_t> reply;
      if (auto bytes = dispatcher_.Dispatch(request)) {
        reply.resize(bytes->size());
        std::memcpy(reply.data(), bytes->data(), bytes->size());
      }
      return reply;
    });
  }
  void StopService() { kernel_.ipc().DetachResponder(kPipeName); }
  // The service as it was before command 5: a command it does not know is dropped unanswered.
  void ForgetCommandFive() {
    StopService();
    kernel_.ipc().AttachResponder(kPipeName, kFinishedEventName, [this](const ServiceRequest& request) {
      std::vector<std::uint8_t> reply;
      if (request.command == kDEVICE_REMOVE_REPORT) return reply;
      const auto bytes = dispatcher_.Dispatch(request);
      reply.resize(bytes->size());
      std::memcpy(reply.data(), bytes->data(), bytes->size());
      return reply;
    });
  }

  Outcome Run(std::vector<std::string_view> words) {
    std::ostringstream out;
    std::ostringstream err;
    const CliPorts ports{registry_, files_, {kernel_.ipc(), kernel_.clock(), debug_}};
    const int code = RunCli(words, ports, "9.99", out, err);
    return {code, out.str(), err.str()};
  }

  // The list's display names, members marked with their tray number, read from the table.
  std::vector<std::string> Names() {
    const Outcome listed = Run({"list"});
    EXPECT_EQ(listed.code, kDone) << listed.err;
    std::vector<std::string> names;
    std::istringstream lines(listed.out);
    std::string line;
    std::getline(lines, line);  // the heading
    while (std::getline(lines, line)) names.push_back(line.substr(21));
    return names;
  }

  SimRegistry& registry() { return registry_; }
  SimFileSystem& files() { return files_; }
  std::uint64_t NowMs() { return kernel_.NowMs(); }

 private:
  static std::string MachinePath(const std::string& name) { return HOLVARA_MACHINES_DIR "/" + name + ".json"; }

  SimKernel kernel_;
  sim::SimulatedPc pc_;
  DeviceService service_{DevicePorts{pc_.tree(), pc_.interfaces(), pc_.storage(), pc_.wmi(), pc_.debug(), pc_.eventLog(), pc_.volumeNames()}};
  RecordingDebugOutput debug_;
  RequestDispatcher dispatcher_{service_, kernel_.threads(), debug_};
  SimRegistry registry_;
  SimFileSystem files_;
};

constexpr char kUnit[] = "[ HOST:1  PORT:1 ]  PORT MULTIPLIER UNIT";
constexpr char kDvd[] = "PIONEER DVD-RW  DVR-216D SCSI CdRom Device";

TEST(HolvaraCli, ListsTheDevicesAsTheTrayOrdersAndGroupsThem) {
  EnclosurePc pc;
  const Outcome table = pc.Run({"list"});
  ASSERT_EQ(table.code, kDone) << table.err;
  EXPECT_EQ(table.out,
            "Index  Drives        Device\n"
            "0                    [ HOST:1  PORT:1 ]  PORT MULTIPLIER UNIT\n"
            "1      E:              [ TRAY:1 ] WDC WD20EARS-00MVWB0 SCSI Disk Device\n"
            "2      F: G:           [ TRAY:2 ] WDC WD20EARS-00MVWB0 SCSI Disk Device\n"
            "3      H:              [ TRAY:3 ] Hitachi HDS721010CLA332 SCSI Disk Device\n"
            "4      I:              [ TRAY:5 ] SAMSUNG HD204UI SCSI Disk Device\n"
            "5      D:            PIONEER DVD-RW  DVR-216D SCSI CdRom Device\n");

  const Outcome json = pc.Run({"list", "--json"});
  ASSERT_EQ(json.code, kDone);
  EXPECT_NE(json.out.find("{\"devices\":[{\"index\":0,\"kind\":\"unit\",\"name\":\"[ HOST:1  PORT:1 ]  PORT MULTIPLIER "
                          "UNIT\",\"driveLetters\":\"\",\"systemFiles\":false,\"host\":0,\"port\":0,\"target\":0,"
                          "\"memberCount\":4,"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("{\"index\":2,\"kind\":\"member\",\"name\":\"WDC WD20EARS-00MVWB0 SCSI Disk Device\","
                          "\"driveLetters\":\"FG\""),
            std::string::npos);

  // The user's settings shape the list as they shape the tray's: without the disk check the disk
  // without a partition table is listed too.
  pc.registry().SetDword(RegistryRoot::kCurrentUser, kSettingsKey, "Basic", 0);
  EXPECT_EQ(pc.Names().size(), 7u);
}

TEST(HolvaraCli, RemovesTheDeviceOfALetterOrEveryMemberOfAUnit) {
  EnclosurePc pc;
  const Outcome byLetter = pc.Run({"remove", "g:"});
  EXPECT_EQ(byLetter.code, kDone) << byLetter.err;
  EXPECT_EQ(byLetter.out,
            "[ TRAY:2 WDC WD20EARS-00MVWB0 SCSI Disk Device ] (F: G:) can now be safely removed from the computer.\n");
  EXPECT_EQ(pc.Names().size(), 5u);

  const Outcome unit = pc.Run({"remove", "--index", "0"});
  EXPECT_EQ(unit.code, kDone) << unit.err;
  EXPECT_EQ(std::count(unit.out.begin(), unit.out.end(), '\n'), 3);
  EXPECT_EQ(pc.Names(), std::vector<std::string>{kDvd});
}

// in-use.json: E: is held by one program, F: by two, H: is vetoed by a driver, G: is free.
TEST(HolvaraCli, ARefusedRemovalSaysWhoHoldsTheDevice) {
  EnclosurePc pc("in-use");
  struct Case {
    std::vector<std::string_view> words;
    int code;
    const char* out;
    const char* err;
  } cases[] = {
      {{"remove", "E:"}, kRefused, "",
       "[ TRAY:1 WDC WD20EARS-00MVWB0 SCSI Disk Device ] (E:): the device is in use by FanControl.exe (process 16148, "
       "C:\\Program Files\\FanControl\\FanControl.exe). Close it and try again.\n"},
      {{"remove", "F:"}, kRefused, "",
       "[ TRAY:2 Hitachi HDS721010CLA332 SCSI Disk Device ] (F:): the device is in use by dllhost.exe (process 9176, "
       "C:\\Windows\\System32\\dllhost.exe), PhotoSorter.exe (process 5120, "
       "F:\\PortableApps\\PhotoSorter\\PhotoSorter.exe). Close them and try again.\n"},
      {{"remove", "H:"}, kRefused, "",
       "[ ST2000DL003-9VT166 SCSI Disk Device ] (H:): the driver \\Driver\\snapfilt refused the removal.\n"},
      {{"remove", "F:", "--json"}, kRefused,
       "{\"removals\":[{\"device\":\"[ TRAY:2 Hitachi HDS721010CLA332 SCSI Disk Device ] (F:)\",\"result\":\"refused\","
       "\"vetoType\":\"outstandingOpen\",\"component\":\"STORAGE\\\\Volume\\\\{6c1a9f3f-0b1d-11ee-9a4c-806e6f6e6963}"
       "#0000000000100000\",\"programs\":[{\"processId\":9176,\"path\":\"C:\\\\Windows\\\\System32\\\\dllhost.exe\"},"
       "{\"processId\":5120,\"path\":\"F:\\\\PortableApps\\\\PhotoSorter\\\\PhotoSorter.exe\"}],\"programsCut\":false}]}\n",
       "The device could not be removed.\n"},
      {{"remove", "G:", "--json"}, kDone,
       "{\"removals\":[{\"device\":\"[ TRAY:3 SAMSUNG HD204UI SCSI Disk Device ] (G:)\",\"result\":\"removed\","
       "\"vetoType\":null,\"component\":null,\"programs\":[],\"programsCut\":false}]}\n",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.words[1]) + (c.words.size() > 2 ? " --json" : ""));
    const Outcome outcome = pc.Run(c.words);
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, c.err);
  }
}

// A service without command 5 drops it; the tool asks again with command 3 and, refused, gives the
// tray's own words.
TEST(HolvaraCli, AServiceWithoutReasonsStillRemovesAndRefuses) {
  EnclosurePc pc("in-use");
  pc.ForgetCommandFive();
  const Outcome held = pc.Run({"remove", "E:"});
  EXPECT_EQ(held.code, kRefused);
  EXPECT_EQ(held.err,
            "[ TRAY:1 WDC WD20EARS-00MVWB0 SCSI Disk Device ] (E:): The device could not be removed. Close every "
            "program that uses it and try again.\n");
  EXPECT_EQ(pc.Run({"remove", "G:"}).code, kDone);
}

TEST(HolvaraCli, RefusesWhatTheTrayWouldNotOfferAndRemovesNothing) {
  struct Case {
    std::vector<std::string_view> words;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {{"remove", "Z:"}, "No removable device holds drive Z:"},
      {{"remove", "C:"}, "C: is the system drive"},
      {{"remove", "--index", "6"}, "There is no device or unit at index 6"},
      {{"remove", "--index", "-1"}, "There is no device or unit at index -1"},
      {{"remove", "E:"}, "holds system files"},  // E:\pagefile.sys below, "SystemMessage" on
  };
  EnclosurePc pc;
  pc.files().AddFile("E:\\pagefile.sys");
  const std::vector<std::string> before = pc.Names();
  for (const Case& c : cases) {
    const Outcome refused = pc.Run(c.words);
    EXPECT_EQ(refused.code, kRefused) << c.words[1];
    EXPECT_NE(refused.err.find(c.reason), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, "");
  }
  // A unit holding a device with system files is refused as a whole, before any member goes.
  EXPECT_EQ(pc.Run({"remove", "--index", "0"}).code, kRefused);
  EXPECT_EQ(pc.Names(), before);

  EXPECT_EQ(pc.Run({"remove", "E:", "--yes"}).code, kDone);
  EXPECT_EQ(pc.Names().size(), before.size() - 1);
}

TEST(HolvaraCli, AsksNothingAboutSystemFilesWhenTheUserSwitchedTheQuestionOff) {
  EnclosurePc pc;
  pc.files().AddFile("H:\\pagefile.sys");
  pc.registry().SetDword(RegistryRoot::kCurrentUser, kSettingsKey, "SystemMessage", 0);
  EXPECT_EQ(pc.Run({"remove", "H:"}).code, kDone);
}

TEST(HolvaraCli, ReportsAnUnreachableServiceAfterTheClientsRetries) {
  EnclosurePc pc;
  pc.StopService();
  for (const auto& words : std::vector<std::vector<std::string_view>>{{"list"}, {"remove", "E:"}, {"rescan"}}) {
    const std::uint64_t began = pc.NowMs();
    const Outcome outcome = pc.Run(words);
    EXPECT_EQ(outcome.code, kUnreachable) << words[0];
    EXPECT_NE(outcome.err.find("HolvaraService"), std::string::npos);
    // One exchange's retries, about 40 seconds, and no more.
    EXPECT_GE(pc.NowMs() - began, 38'000u);
    EXPECT_LE(pc.NowMs() - began, 42'000u);
  }
}

TEST(HolvaraCli, RescansAndAnswersHelpAndVersion) {
  EnclosurePc pc;
  const Outcome rescan = pc.Run({"rescan"});
  EXPECT_EQ(rescan.code, kDone) << rescan.err;
  const Outcome help = pc.Run({"--help"});
  EXPECT_EQ(help.code, kDone);
  EXPECT_NE(help.out.find("remove --index N"), std::string::npos);
  EXPECT_EQ(pc.Run({"--version"}).out, "HolvaraCli 9.99 (ZELTO Dock Warden)\n");
}

TEST(HolvaraCli, UsageErrorsExitWithTwoAndShowTheUsage) {
  const std::vector<std::vector<std::string_view>> cases = {
      {}, {"frob"}, {"list", "--xml"}, {"remove"}, {"remove", "E:", "--index", "1"},
      {"remove", "--index"}, {"remove", "--index", "two"}, {"remove", "EF"}, {"rescan", "now"},
  };
  EnclosurePc pc;
  for (const auto& words : cases) {
    const Outcome outcome = pc.Run(words);
    EXPECT_EQ(outcome.code, kUsage) << (words.empty() ? "" : words.back());
    EXPECT_NE(outcome.err.find("usage: HolvaraCli"), std::string::npos);
  }
}

}  // namespace
}  // namespace holvara::cli
