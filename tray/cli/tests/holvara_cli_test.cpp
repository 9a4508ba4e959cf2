// HolvaraCli on a simulated PC: a five-bay enclosure (four disks with letters E, F+G, H, I and one
// without a partition table) on one eSATA port and a DVD writer on the other; the system disk C
// hangs below the chipset. The service's own request dispatch answers the pipe.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_ansi_text.h"
#include "platform/sim/sim_console.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_kernel.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_service_manager.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/simulated_pc.h"
#include "service/devices/device_service.h"
#include "service/host/request_dispatcher.h"
#include "tray/app/device_list.h"
#include "tray/cli/holvara_cli.h"

namespace holvara::cli {
namespace {

constexpr char kSettingsKey[] = "Software\\ZELTO\\Holvara\\Common";

// Lets a number of connections through and then finds the pipe busy for good: another program's
// long removal that begins while the tool reads the list.
class BusyAfterIpc : public Ipc {
 public:
  BusyAfterIpc(Ipc& inner, int opens) : inner_(inner), opensLeft_(opens) {}

  PipeOpenResult OpenPipe(std::string_view name) override {
    if (opensLeft_ == 0) return {nullptr, PipeOpenError::kBusy};
    --opensLeft_;
    return inner_.OpenPipe(name);
  }
  bool WaitForPipe(std::string_view name, std::uint32_t timeoutMs) override {
    return opensLeft_ > 0 && inner_.WaitForPipe(name, timeoutMs);
  }
  std::unique_ptr<Event> CreateNamedEvent(std::string_view name) override { return inner_.CreateNamedEvent(name); }
  std::unique_ptr<Event> OpenNamedEvent(std::string_view name) override { return inner_.OpenNamedEvent(name); }
  std::unique_ptr<Event> CreateUnnamedEvent() override { return inner_.CreateUnnamedEvent(); }
  PipeCreateResult CreatePipe(std::string_view name, std::span<const AccessEntry> access) override {
    return inner_.CreatePipe(name, access);
  }

 private:
  Ipc& inner_;
  int opensLeft_;
};

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

class EnclosurePc {
 public:
  explicit EnclosurePc(std::uint32_t codePage = kSimWesternCodePage, const std::string& machine = "pm-enclosure")
      : pc_{sim::LoadMachineFile(MachinePath(machine))}, ansi_(codePage) {
    files_.SetWindowsDirectory("C:\\Windows");
    files_.SetCurrentDirectory("C:\\Windows\\system32");
    console_.consoles = {StandardStream::kInput};  // a person at a prompt, unless a test says otherwise
    StartService();
  }

  // The service manager's view: HolvaraService installed and running, unless a test says otherwise.

  void StartService() {
    services_.states[kServiceName] = kServiceRunning;
    kernel_.ipc().AttachResponder(kPipeName, kFinishedEventName, [this](const ServiceRequest& request) {
      std::vector<std::uint8_t> reply;
      if (auto bytes = dispatcher_.Dispatch(request)) {
        reply.resize(bytes->size());
        std::memcpy(reply.data(), bytes->data(), bytes->size());
      }
      return reply;
    });
  }
  // The pipe goes unanswered; the service manager reports the state given.
  void StopService(std::uint32_t state = kServiceStopped) {
    kernel_.ipc().DetachResponder(kPipeName);
    services_.states[kServiceName] = state;
  }
  void UninstallService() {
    kernel_.ipc().DetachResponder(kPipeName);
    services_.states.clear();
  }

  // The service as it was before command 5: a command it does not know is dropped unanswered.
  void ForgetCommandFive() {
    kernel_.ipc().DetachResponder(kPipeName);
    kernel_.ipc().AttachResponder(kPipeName, kFinishedEventName, [this](const ServiceRequest& request) {
      std::vector<std::uint8_t> reply;
      if (request.command == kDEVICE_REMOVE_REPORT) return reply;
      const auto bytes = dispatcher_.Dispatch(request);
      reply.resize(bytes->size());
      std::memcpy(reply.data(), bytes->data(), bytes->size());
      return reply;
    });
  }

  Outcome Run(std::vector<std::string_view> words, Ipc* ipc = nullptr) {
    std::ostringstream out;
    std::ostringstream err;
    const CliPorts ports{registry_, files_,    console_,
                         ansi_,     services_, {ipc ? *ipc : kernel_.ipc(), kernel_.clock(), debug_}};
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

  // The identity of each entry, in list order, read from list --json.
  std::vector<std::string> Ids() {
    const Outcome listed = Run({"list", "--json"});
    EXPECT_EQ(listed.code, kDone) << listed.err;
    std::vector<std::string> ids;
    constexpr std::string_view kKey = "\"id\":\"";
    for (std::size_t at = listed.out.find(kKey); at != std::string::npos; at = listed.out.find(kKey, at)) {
      at += kKey.size();
      ids.push_back(listed.out.substr(at, listed.out.find('"', at) - at));
    }
    return ids;
  }

  // Takes the disk that holds the letter off the machine until Attach (a rescan) brings it.
  void DetachDiskOf(char letter) {
    sim::Machine& machine = pc_.machine();
    for (const sim::Volume& volume : machine.volumes) {
      if (volume.letter == letter) machine.nodes[*machine.units[volume.units[0]].node].appearsAfterRescan = true;
    }
  }
  void Attach() { pc_.machine().rescanned = true; }

  // Gives the disk that holds the letter a name, as the service reads it (in the ANSI code page).
  void NameDiskOf(char letter, const std::string& name) {
    sim::Machine& machine = pc_.machine();
    for (const sim::Volume& volume : machine.volumes) {
      if (volume.letter == letter) machine.nodes[*machine.units[volume.units[0]].node].friendlyName = name;
    }
  }

  // The program that holds the disk with the letter, its image as the kernel wrote it (in the ANSI
  // code page).
  void HoldDiskOf(char letter, const std::string& image) {
    sim::Machine& machine = pc_.machine();
    for (const sim::Volume& volume : machine.volumes) {
      if (volume.letter != letter) continue;
      sim::Node& node = machine.nodes[*machine.units[volume.units[0]].node];
      node.veto = sim::NodeVeto{kVetoOutstandingOpen, "STORAGE\\Volume\\1", {{42, image}}};
    }
  }

  SimConsole& console() { return console_; }
  Ipc& ipc() { return kernel_.ipc(); }
  SimServiceManager& services() { return services_; }
  SimRegistry& registry() { return registry_; }
  SimFileSystem& files() { return files_; }
  std::uint64_t NowMs() { return kernel_.NowMs(); }

 private:
  static std::string MachinePath(const std::string& name) { return HOLVARA_MACHINES_DIR "/" + name + ".json"; }

  SimKernel kernel_;
  sim::SimulatedPc pc_;
  DeviceService service_{DevicePorts{pc_.tree(), pc_.interfaces(), pc_.storage(), pc_.wmi(), pc_.debug(),
                                     pc_.eventLog(), pc_.volumeNames()}};
  RecordingDebugOutput debug_;
  RequestDispatcher dispatcher_{service_, kernel_.threads(), debug_};
  SimRegistry registry_;
  SimFileSystem files_;
  SimConsole console_;
  SimAnsiText ansi_;
  SimServiceManager services_;
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
  EXPECT_NE(json.out.find("{\"devices\":[{\"index\":0,\"id\":\"U:0.0+D:SCSI~5CDiskWDC_____WD20EARS-00MVWB051.0:"
                          "~5CDevice~5CScsi~5Csi3132Port0Path0Target0Lun0+D:"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("{\"index\":5,\"id\":\"D:SCSI~5CCdRomPIONEER_DVD-RW__DVR-216D1.09:"
                          "~5CDevice~5CScsi~5Csi3132Port0Path1Target0Lun0\",\"kind\":\"device\""),
            std::string::npos);
  EXPECT_NE(json.out.find("\"kind\":\"unit\",\"name\":\"[ HOST:1  PORT:1 ]  PORT MULTIPLIER "
                          "UNIT\",\"driveLetters\":\"\",\"systemFiles\":false,\"host\":0,\"port\":0,\"target\":0,"
                          "\"memberCount\":4,"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"kind\":\"member\",\"name\":\"WDC WD20EARS-00MVWB0 SCSI Disk Device\","
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
  EXPECT_TRUE(unit.out.starts_with("Entry 0 is the unit " + std::string(kUnit) +
                                   " with 3 disks; removing them one after the other.\n"))
      << unit.out;
  EXPECT_EQ(std::count(unit.out.begin(), unit.out.end(), '\n'), 4);
  EXPECT_EQ(pc.Names(), std::vector<std::string>{kDvd});
}

// in-use.json: E: is held by one program, F: by two, H: is vetoed by a driver, G: is free.
TEST(HolvaraCli, ARefusedRemovalSaysWhoHoldsTheDevice) {
  EnclosurePc pc(kSimWesternCodePage, "in-use");
  struct Case {
    std::vector<std::string_view> words;
    int code;
    const char* out;
    const char* err;
  } cases[] = {
      {{"remove", "E:"},
       kRefused,
       "",
       "[ TRAY:1 WDC WD20EARS-00MVWB0 SCSI Disk Device ] (E:): the device is in use by FanControl.exe (process 16148, "
       "C:\\Program Files\\FanControl\\FanControl.exe). Close it and try again.\n"},
      {{"remove", "F:"},
       kRefused,
       "",
       "[ TRAY:2 Hitachi HDS721010CLA332 SCSI Disk Device ] (F:): the device is in use by dllhost.exe (process 9176, "
       "C:\\Windows\\System32\\dllhost.exe), PhotoSorter.exe (process 5120, "
       "F:\\PortableApps\\PhotoSorter\\PhotoSorter.exe). Close them and try again.\n"},
      {{"remove", "H:"},
       kRefused,
       "",
       "[ ST2000DL003-9VT166 SCSI Disk Device ] (H:): the driver \\Driver\\snapfilt refused the removal.\n"},
      {{"remove", "F:", "--json"},
       kRefused,
       "{\"removals\":[{\"device\":\"[ TRAY:2 Hitachi HDS721010CLA332 SCSI Disk Device ] (F:)\",\"result\":\"refused\","
       "\"vetoType\":\"outstandingOpen\",\"component\":\"STORAGE\\\\Volume\\\\{6c1a9f3f-0b1d-11ee-9a4c-806e6f6e6963}"
       "#0000000000100000\",\"programs\":[{\"processId\":9176,\"path\":\"C:\\\\Windows\\\\System32\\\\dllhost.exe\"},"
       "{\"processId\":5120,\"path\":\"F:\\\\PortableApps\\\\PhotoSorter\\\\PhotoSorter.exe\"}],\"programsCut\":false}]}\n",
       "The device could not be removed.\n"},
      {{"remove", "G:", "--json"},
       kDone,
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
  EnclosurePc pc(kSimWesternCodePage, "in-use");
  pc.ForgetCommandFive();
  const Outcome held = pc.Run({"remove", "E:"});
  EXPECT_EQ(held.code, kRefused);
  EXPECT_EQ(held.err,
            "[ TRAY:1 WDC WD20EARS-00MVWB0 SCSI Disk Device ] (E:): The device could not be removed. Close every "
            "program that uses it and try again.\n");
  EXPECT_EQ(pc.Run({"remove", "G:"}).code, kDone);
}

// The image path arrives in the ANSI code page; its file name is found after the conversion, so a
// double-byte character whose second byte is a backslash (表, 95 5C) stays whole.
TEST(HolvaraCli, NamesAProgramOfTheAnsiCodePageInUtf8) {
  EnclosurePc pc(kSimJapaneseCodePage);
  pc.HoldDiskOf('E', "\\Device\\HarddiskVolume9\\\x95\x5C\\\x95\x5C.exe");
  const Outcome held = pc.Run({"remove", "E:"});
  EXPECT_EQ(held.code, kRefused);
  EXPECT_EQ(held.err,
            "[ TRAY:1 WDC WD20EARS-00MVWB0 SCSI Disk Device ] (E:): the device is in use by 表.exe (process 42, "
            "\\Device\\HarddiskVolume9\\表\\表.exe). Close it and try again.\n");
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

TEST(HolvaraCli, RemovesByIdentityAndRefusesAnIdentityThatIsGone) {
  EnclosurePc pc;
  const std::vector<std::string> names = pc.Names();
  const std::string hitachi = pc.Ids()[3];

  const Outcome removed = pc.Run({"remove", "--id", hitachi});
  EXPECT_EQ(removed.code, kDone) << removed.err;
  EXPECT_EQ(removed.out,
            "[ TRAY:3 Hitachi HDS721010CLA332 SCSI Disk Device ] (H:) can now be safely removed from the computer.\n");
  std::vector<std::string> left = names;
  left.erase(left.begin() + 3);
  EXPECT_EQ(pc.Names(), left);

  const Outcome again = pc.Run({"remove", "--id", hitachi});
  EXPECT_EQ(again.code, kNoSuchDevice);
  EXPECT_NE(again.err.find("No such device now"), std::string::npos) << again.err;
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(pc.Names(), left);
}

// The F: G: disk is attached after the list was read: every entry after it moves down by one.
TEST(HolvaraCli, AnIndexReadBeforeADeviceWasAttachedRemovesNothingElse) {
  EnclosurePc pc;
  pc.DetachDiskOf('F');
  const std::vector<std::string> ids = pc.Ids();
  const std::string hitachi = ids[2];
  pc.Attach();
  const std::vector<std::string> attached = pc.Names();
  ASSERT_EQ(attached.size(), ids.size() + 1);

  pc.console().consoles.clear();  // a script
  const Outcome unpinned = pc.Run({"remove", "--index", "2"});
  EXPECT_EQ(unpinned.code, kUsage);
  EXPECT_NE(unpinned.err.find("--id ID"), std::string::npos) << unpinned.err;
  const Outcome pinned = pc.Run({"remove", "--index", "2", "--expect", hitachi});
  EXPECT_EQ(pinned.code, kNoSuchDevice);
  EXPECT_NE(pinned.err.find("entry 2 is no longer the one --expect names"), std::string::npos) << pinned.err;
  EXPECT_EQ(unpinned.out + pinned.out, "");
  EXPECT_EQ(pc.Names(), attached);

  const Outcome moved = pc.Run({"remove", "--index", "3", "--expect", hitachi});
  EXPECT_EQ(moved.code, kDone) << moved.err;
  EXPECT_TRUE(
      moved.out.starts_with("Entry 3 is [ TRAY:3 Hitachi HDS721010CLA332 SCSI Disk Device ] (H:); removing it.\n"))
      << moved.out;
  std::vector<std::string> left = attached;
  left.erase(left.begin() + 3);
  EXPECT_EQ(pc.Names(), left);
}

TEST(HolvaraCli, AUnitWhoseDisksChangedIsRefusedWhole) {
  struct Case {
    const char* name;
    void (*change)(EnclosurePc&);
    void (*before)(EnclosurePc&);
  };
  const std::vector<Case> cases = {
      {"lost a member",
       [](EnclosurePc& pc) {
         EXPECT_EQ(pc.Run({"remove", "E:"}).code, kDone);
       },
       [](EnclosurePc&) {}},
      {"gained a member", [](EnclosurePc& pc) { pc.Attach(); }, [](EnclosurePc& pc) { pc.DetachDiskOf('F'); }},
  };
  for (const Case& c : cases) {
    EnclosurePc pc;
    c.before(pc);
    const std::string unit = pc.Ids()[0];
    c.change(pc);
    const std::vector<std::string> changed = pc.Names();
    const Outcome refused = pc.Run({"remove", "--id", unit});
    EXPECT_EQ(refused.code, kNoSuchDevice) << c.name;
    EXPECT_NE(refused.err.find("the unit " + std::string(kUnit) + " no longer has the disks the identity names"),
              std::string::npos)
        << c.name << ": " << refused.err;
    EXPECT_EQ(pc.Names(), changed) << c.name;
    // The unit as it is now goes by its new identity.
    EXPECT_EQ(pc.Run({"remove", "--id", pc.Ids()[0]}).code, kDone) << c.name;
    EXPECT_EQ(pc.Names(), std::vector<std::string>{kDvd}) << c.name;
  }
}

TEST(HolvaraCli, AsksNothingAboutSystemFilesWhenTheUserSwitchedTheQuestionOff) {
  EnclosurePc pc;
  pc.files().AddFile("H:\\pagefile.sys");
  pc.registry().SetDword(RegistryRoot::kCurrentUser, kSettingsKey, "SystemMessage", 0);
  EXPECT_EQ(pc.Run({"remove", "H:"}).code, kDone);
}

// The service manager answers for a service that is not installed or stopped at once; only a
// running service's pipe is waited for, as long as the client's retries (about 40 s) and no more.
TEST(HolvaraCli, AsksTheServiceManagerFirstAndWaitsOnlyForARunningService) {
  struct Case {
    const char* name;
    void (*state)(EnclosurePc&);
    int code;
    const char* says;
    std::uint64_t leastMs;
    std::uint64_t mostMs;
  };
  const std::vector<Case> cases = {
      {"not installed", [](EnclosurePc& pc) { pc.UninstallService(); }, kNotInstalled, "is not installed", 0, 0},
      {"stopped", [](EnclosurePc& pc) { pc.StopService(); }, kUnreachable, "is stopped", 0, 0},
      {"stopping", [](EnclosurePc& pc) { pc.StopService(kServiceStopPending); }, kUnreachable, "is stopped", 0, 0},
      {"running but not answering", [](EnclosurePc& pc) { pc.StopService(kServiceRunning); }, kBusy,
       "waiting up to 40 seconds for it.\nThe Holvara service (HolvaraService) runs but did not answer within 40 "
       "seconds",
       38'000, 42'000},
      {"starting", [](EnclosurePc& pc) { pc.StopService(kServiceStartPending); }, kBusy, "did not answer", 38'000,
       42'000},
      {"manager not answering",
       [](EnclosurePc& pc) {
         pc.StopService();
         pc.services().unanswered = true;
       },
       kUnreachable, "is not reachable", 38'000, 42'000},
  };
  for (const Case& c : cases) {
    for (const auto& words : std::vector<std::vector<std::string_view>>{{"list"}, {"remove", "E:"}, {"rescan"}}) {
      EnclosurePc pc;
      c.state(pc);
      const std::uint64_t began = pc.NowMs();
      const Outcome outcome = pc.Run(words);
      EXPECT_EQ(outcome.code, c.code) << c.name << ", " << words[0];
      EXPECT_NE(outcome.err.find(c.says), std::string::npos) << c.name << ", " << words[0] << ": " << outcome.err;
      EXPECT_EQ(outcome.out, "") << c.name;
      EXPECT_GE(pc.NowMs() - began, c.leastMs) << c.name << ", " << words[0];
      EXPECT_LE(pc.NowMs() - began, c.mostMs) << c.name << ", " << words[0];
    }
  }
}

// A service that stops answering while the list is read leaves it without the devices still to
// come: nothing is listed or removed, and after the one exchange that waited out the client's
// retries the rest give up at once.
TEST(HolvaraCli, AListTheServiceStoppedAnsweringInIsNeitherShownNorUsed) {
  EnclosurePc pc;
  const std::vector<std::string> names = pc.Names();
  const std::string hitachi = pc.Ids()[3];
  for (const auto& words :
       std::vector<std::vector<std::string_view>>{{"list", "--json"}, {"remove", "--id", hitachi}}) {
    BusyAfterIpc busy(pc.ipc(), 3);
    const std::uint64_t began = pc.NowMs();
    const Outcome outcome = pc.Run(words, &busy);
    EXPECT_EQ(outcome.code, kBusy) << words[0];
    EXPECT_NE(outcome.err.find("stopped answering while the list was read"), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out, "") << words[0];
    EXPECT_LE(pc.NowMs() - began, 42'000u) << words[0];
  }
  EXPECT_EQ(pc.Names(), names);
}

// Device names arrive in the ANSI code page; the tool writes them as UTF-8 with their real code
// points, in the table, in JSON and in what a removal says. (The tray lists a name only when it
// begins with a capital Latin letter.)
TEST(HolvaraCli, WritesDeviceNamesOfTheAnsiCodePageAsUtf8) {
  struct Case {
    const char* name;
    std::uint32_t codePage;
    std::string ansi;
    std::string utf8;
  };
  const std::vector<Case> cases = {
      {"Japanese, code page 932", kSimJapaneseCodePage,
       "I-O DATA \x8a\x4f\x95\x74\x82\xaf\x83\x66\x83\x42\x83\x58\x83\x4e", "I-O DATA 外付けディスク"},
      {"Western with bytes 0x80-0x9F, code page 1252", kSimWesternCodePage,
       "Caf\xe9 \xd1"
       "and\xfa \x96 \x9f \x80 Disk",
       "Café Ñandú – Ÿ € Disk"},
  };
  for (const Case& c : cases) {
    EnclosurePc pc(c.codePage);
    pc.NameDiskOf('H', c.ansi);
    EXPECT_NE(pc.Run({"list"}).out.find("3      H:              [ TRAY:3 ] " + c.utf8 + "\n"), std::string::npos)
        << c.name;
    const Outcome json = pc.Run({"list", "--json"});
    EXPECT_NE(json.out.find("\"name\":\"" + c.utf8 + "\""), std::string::npos) << c.name << ": " << json.out;
    const Outcome removed = pc.Run({"remove", "--id", pc.Ids()[3]});
    EXPECT_EQ(removed.out, "[ TRAY:3 " + c.utf8 + " ] (H:) can now be safely removed from the computer.\n") << c.name;
  }
}

TEST(HolvaraCli, RescansAndAnswersHelpAndVersion) {
  EnclosurePc pc;
  const Outcome rescan = pc.Run({"rescan"});
  EXPECT_EQ(rescan.code, kDone) << rescan.err;
  // Help wins wherever it stands on the line, over any other word.
  for (const auto& words : std::vector<std::vector<std::string_view>>{
           {"--help"}, {"-h"}, {"/?"}, {"remove", "E:", "--help"}, {"list", "--xml", "-h"}, {"frob", "/?"}}) {
    const Outcome help = pc.Run(words);
    EXPECT_EQ(help.code, kDone) << words.back();
    EXPECT_NE(help.out.find("remove --index N"), std::string::npos);
    EXPECT_NE(help.out.find("6  the service runs but did not answer"), std::string::npos);
  }
  EXPECT_EQ(pc.Names().size(), 6u);
  EXPECT_EQ(pc.Run({"--version"}).out, "HolvaraCli 9.99 (ZELTO Dock Warden)\n");
}

TEST(HolvaraCli, UsageErrorsExitWithTwoAndShowTheUsage) {
  const std::vector<std::vector<std::string_view>> cases = {
      {},
      {"frob"},
      {"list", "--xml"},
      {"remove"},
      {"remove", "E:", "--index", "1"},
      {"remove", "--index"},
      {"remove", "--index", "two"},
      {"remove", "EF"},
      {"rescan", "now"},
      {"remove", "--id"},
      {"remove", "--id", "D:a:b", "E:"},
      {"remove", "E:", "--expect", "D:a:b"},
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
