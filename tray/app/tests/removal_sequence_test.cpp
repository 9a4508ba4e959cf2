// The removal sequence on the whole simulated system (the enclosure machine: entry 0 is a unit of
// four disks, entries 1 to 4 its members, entry 5 a DVD writer on its own port).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "tray/app/tests/sim_whole_pc.h"

namespace holvara {
namespace {

constexpr int kProgressTemplate = 132;
constexpr char kSuccess[] = "can now be safely removed from the computer.";
constexpr char kFailure[] = "The device could not be removed. Close every program that uses it and try again.";
constexpr char kDvd[] = "\\Device\\Scsi\\si3132Port0Path1Target0Lun0";
std::string Member(int target) { return "\\Device\\Scsi\\si3132Port0Path0Target" + std::to_string(target) + "Lun0"; }

std::vector<std::string> BoxTexts(const SimDesktop& desktop) {
  std::vector<std::string> texts;
  for (const SimShownBox& box : desktop.messageBoxes()) texts.push_back(box.text);
  return texts;
}

TEST(RemovalSequence, ASingleDeviceOrEveryMemberOfAUnit) {
  struct Case {
    const char* what;
    int index;
    bool show;
    std::uint32_t windowsMajor;
    std::vector<std::string> removed;
    std::vector<std::string> boxes;
  };
  const std::string wdc = "WDC WD20EARS-00MVWB0 SCSI Disk Device";
  const std::vector<Case> cases = {
      {"single device, hidden",
       5,
       false,
       10,
       {kDvd},
       {std::string("[ PIONEER DVD-RW  DVR-216D SCSI CdRom Device ] ") + kSuccess}},
      {"unit, shown",
       0,
       true,
       6,
       {Member(0), Member(1), Member(2), Member(4)},
       {"[ TRAY:1 " + wdc + " ] " + kSuccess, "[ TRAY:2 " + wdc + " ] " + kSuccess,
        std::string("[ TRAY:3 Hitachi HDS721010CLA332 SCSI Disk Device ] ") + kSuccess,
        std::string("[ TRAY:5 SAMSUNG HD204UI SCSI Disk Device ] ") + kSuccess}},
      {"unit before Windows 6: one box at the end",
       0,
       false,
       5,
       {Member(0), Member(1), Member(2), Member(4)},
       {"The device can now be safely removed from the computer."}},
  };
  for (const Case& c : cases) {
    SimWholePc system;
    system.system.version = {c.windowsMajor, 1};
    system.StartAll();
    EXPECT_EQ(system.app->RemovalSequence(c.index, c.show), RemovalOutcome::kRemoved) << c.what;
    for (const std::string& device : {std::string(kDvd), Member(0), Member(1), Member(2), Member(4)}) {
      const bool expected = std::find(c.removed.begin(), c.removed.end(), device) != c.removed.end();
      EXPECT_EQ(system.NodeRemoved(device), expected) << c.what << " " << device;
    }
    EXPECT_EQ(BoxTexts(system.desktop), c.boxes) << c.what;
    EXPECT_EQ(system.desktop.shownDialogs(), std::vector<int>(c.removed.size(), kProgressTemplate)) << c.what;
    EXPECT_EQ(system.desktop.dialogsSeen().size(), c.show ? c.removed.size() : 0u) << c.what;
    EXPECT_EQ(system.shapes.regions().size(), c.show ? c.removed.size() : 0u) << c.what;
    EXPECT_EQ(system.colours.brushesMade(), c.show ? static_cast<int>(c.removed.size()) : 0) << c.what;
    EXPECT_EQ(system.colours.brushesAlive(), 0u) << c.what;
    EXPECT_TRUE(system.desktop.cancelledDialogs().empty()) << c.what;
    EXPECT_EQ(system.app->BusyMarker(), "") << c.what;
  }
}

TEST(RemovalSequence, AFailureStopsTheUnit) {
  SimWholePc system;
  for (auto& node : system.pc.machine().nodes) {
    if (node.deviceObjectName == Member(1)) node.veto = sim::NodeVeto{};
  }
  system.StartAll();
  EXPECT_EQ(system.app->RemovalSequence(0, false), RemovalOutcome::kFailed);
  EXPECT_TRUE(system.NodeRemoved(Member(0)));
  EXPECT_FALSE(system.NodeRemoved(Member(1)));
  EXPECT_FALSE(system.NodeRemoved(Member(2)));
  const auto boxes = BoxTexts(system.desktop);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1], kFailure);
  EXPECT_EQ(system.desktop.messageBoxes()[1].style & win::kMbIconMask, win::kMbIconHand);
  EXPECT_EQ(system.debug.Count("OnTimer Thread Error =-=-=\n"), 1u);
}

TEST(RemovalSequence, DecliningTheConfirmationEndsTheSequenceQuietly) {
  SimWholePc system;
  system.files.AddFile("F:\\pagefile.sys");  // on the unit's second member
  system.StartAll();
  system.desktop.AnswerNextMessageBox(win::kIdOk);  // the first member's success
  system.desktop.AnswerNextMessageBox(win::kIdCancel);
  EXPECT_EQ(system.app->RemovalSequence(0, true), RemovalOutcome::kDeclined);
  EXPECT_TRUE(system.NodeRemoved(Member(0)));
  EXPECT_FALSE(system.NodeRemoved(Member(1)));
  const auto boxes = BoxTexts(system.desktop);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(system.desktop.messageBoxes()[1].style, win::kMbOkCancel);
  EXPECT_EQ(system.desktop.messageBoxes()[1].owner, kNoWindow);
  EXPECT_EQ(system.desktop.messageBoxes()[1].caption, "ZELTO Dock Warden");
}

TEST(RemovalSequence, TheDeviceOfTheConfirmationIsRemovedEvenWhenTheListIsRebuiltMeanwhile) {
  SimWholePc system;
  system.files.AddFile("D:\\pagefile.sys");  // on the DVD writer, entry 5
  system.StartAll();
  ASSERT_EQ(std::string(system.app->deviceList()[5].deviceObjectName), kDvd);
  // While the box is up the list is rebuilt with one more member in the unit, which moves the DVD
  // writer to entry 6 and puts a disk at entry 5.
  system.desktop.AnswerNextMessageBox(win::kIdOk, [&] {
    system.SetProfile("Basic", 0);
    system.app->RefreshDevices();
  });
  EXPECT_EQ(system.app->RemovalSequence(5, false), RemovalOutcome::kRemoved);
  ASSERT_EQ(std::string(system.app->deviceList()[5].deviceObjectName), Member(4));
  EXPECT_TRUE(system.NodeRemoved(kDvd));
  EXPECT_FALSE(system.NodeRemoved(Member(4)));
  EXPECT_EQ(BoxTexts(system.desktop).back(), std::string("[ PIONEER DVD-RW  DVR-216D SCSI CdRom Device ] ") + kSuccess);
}

TEST(RemovalSequence, NothingIsSentForWhatCannotBeRemovedOrWhenTheWorkerCannotStart) {
  for (int index : {-1, 25, 7, 1000}) {
    SimWholePc system;
    system.StartAll();
    EXPECT_EQ(system.app->RemovalSequence(index, true), RemovalOutcome::kFailed) << index;
    EXPECT_TRUE(system.desktop.shownDialogs().empty()) << index;
    EXPECT_EQ(BoxTexts(system.desktop), std::vector<std::string>{kFailure}) << index;
  }
  SimWholePc system;
  system.StartAll();
  system.kernel.threads().FailStarts(1);
  EXPECT_EQ(system.app->RemovalSequence(5, true), RemovalOutcome::kFailed);
  EXPECT_FALSE(system.NodeRemoved(kDvd));
  EXPECT_TRUE(system.desktop.cancelledDialogs().empty());
  EXPECT_EQ(BoxTexts(system.desktop), std::vector<std::string>{kFailure});
  EXPECT_EQ(system.app->BusyMarker(), "");
}

// Another program asks the running one to end while a removal's worker still tries to reach a
// service that has stopped (twenty pauses of 2 s between its attempts). The program does not end
// under the running worker, whose thread uses what the program's entry point destroys on return:
// it waits for the worker up to the bound, and one that runs on past it ends with the process.
TEST(RemovalSequence, TheProgramDoesNotEndUnderARunningWorker) {
  struct Case {
    const char* what;
    std::uint64_t endRequestedAtMs;
    bool endsTheProcess;
  };
  for (const Case c :
       {Case{"the worker ends within the wait", 35000, false}, Case{"the worker runs on past the wait", 1000, true}}) {
    SimWholePc system;
    system.StartAll();
    system.kernel.scm().SendControl(kServiceControlStop);
    ASSERT_TRUE(system.serviceProcess->Wait(kWaitForever));
    const std::uint64_t start = system.kernel.NowMs();
    system.desktop.At(start + c.endRequestedAtMs, [&] {
      system.desktop.Post(system.app->mainWindowId(), system.desktop.RegisterMessage("HOLVARA"), 0, 0);
    });
    EXPECT_EQ(system.app->RemovalSequence(5, true), RemovalOutcome::kFailed) << c.what;
    EXPECT_EQ(system.desktop.FindByTitle("Holvara"), kNoWindow) << c.what;
    const std::uint64_t endAt = system.kernel.NowMs();
    const int exitCode = system.app->ExitInstance();
    const std::uint64_t returnedAt = system.kernel.NowMs();

    if (c.endsTheProcess) {
      EXPECT_EQ(system.system.endedWith, static_cast<std::uint32_t>(exitCode)) << c.what;
      EXPECT_EQ(returnedAt - endAt, kKeptWorkerWaitMs) << c.what;
    } else {
      EXPECT_FALSE(system.system.endedWith) << c.what;
      EXPECT_GE(returnedAt - start, 20u * 2000u) << c.what;  // the worker's attempts are over
      EXPECT_LT(returnedAt - endAt, kKeptWorkerWaitMs) << c.what;
    }
  }
}

TEST(RemovalSequence, TheSecondMemberOfTheUnitLeavesTheMachineAndTheList) {
  SimWholePc system;
  system.StartAllAndRunStartup();
  EXPECT_TRUE(system.pc.machine().rescanned);
  ASSERT_EQ(std::string(system.app->deviceList()[2].deviceObjectName), Member(1));
  const std::uint64_t start = system.kernel.NowMs();
  EXPECT_EQ(system.app->RemovalSequence(2, false), RemovalOutcome::kRemoved);
  system.app->RefreshDevices();

  EXPECT_TRUE(system.NodeRemoved(Member(1)));
  EXPECT_FALSE(system.NodeRemoved(Member(0)));
  const DeviceListTable& list = system.app->deviceList();
  EXPECT_EQ(list[0].memberCount, 3);
  for (const DeviceListEntry& entry : list) EXPECT_NE(std::string(entry.deviceObjectName), Member(1));
  // The worker's half-second pause and the one-second poll, in virtual time.
  EXPECT_GE(system.kernel.NowMs() - start, 1000u);
}

}  // namespace
}  // namespace holvara
