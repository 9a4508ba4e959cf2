// The remove-device dialog on the whole simulated system: the three ways in, a removal of the
// marked member of the unit followed by the main window's delayed refresh, the mark through the
// refills that device changes bring, a unit that changed unseen, what the dialog refuses while a
// removal's box is up, and a rescan.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "tray/app/tests/sim_whole_pc.h"
#include "tray/dialogs/config_dlg.h"
#include "tray/dialogs/remove_device_dlg.h"
#include "tray/dialogs/remove_progress_dlg.h"
#include "tray/dialogs/rescan_device_dlg.h"
#include "tray/frame/command_menu.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/system_messages.h"

namespace holvara {
namespace {

constexpr char kDvd[] = "\\Device\\Scsi\\si3132Port0Path1Target0Lun0";
std::string Member(int target) { return "\\Device\\Scsi\\si3132Port0Path0Target" + std::to_string(target) + "Lun0"; }

std::vector<std::string> Rows(SimWholePc& system, WindowId dialog) {
  std::vector<std::string> rows;
  const WindowId list = system.desktop.DialogItem(dialog, CRemoveDeviceDlg::kDeviceList);
  for (const SimListRow& row : system.screen.listViews.List(list).rows) rows.push_back(row.texts.at(0));
  return rows;
}

int RowStarting(SimWholePc& system, WindowId dialog, const std::string& start) {
  const std::vector<std::string> rows = Rows(system, dialog);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].rfind(start, 0) == 0) return static_cast<int>(row);
  }
  ADD_FAILURE() << "no row " << start;
  return -1;
}

void ClickRow(SimWholePc& system, WindowId dialog, const std::string& start) {
  const WindowId list = system.desktop.DialogItem(dialog, CRemoveDeviceDlg::kDeviceList);
  system.screen.listViews.ClickRow(list, RowStarting(system, dialog, start));
}

int Mark(SimWholePc& system, WindowId dialog) {
  return system.screen.listViews.SelectionMark(system.desktop.DialogItem(dialog, CRemoveDeviceDlg::kDeviceList));
}

// The device leaves the machine without the program's doing.
void Unplug(SimWholePc& system, const std::string& deviceObject) {
  for (auto& node : system.pc.machine().nodes) {
    if (node.deviceObjectName == deviceObject) node.removed = true;
  }
}

// Of the unit's members and the DVD writer, those that left the machine.
std::vector<std::string> Gone(SimWholePc& system) {
  std::vector<std::string> gone;
  for (const std::string& device : {Member(0), Member(1), Member(2), Member(3), Member(4), std::string(kDvd)}) {
    for (const auto& node : system.pc.machine().nodes) {
      if (node.deviceObjectName == device && node.removed) gone.push_back(device);
    }
  }
  return gone;
}

// Runs the loop (a box's, say) for a while of virtual time.
void RunFor(SimWholePc& system, std::uint64_t ms) {
  system.desktop.SetTimeLimit(system.kernel.NowMs() + ms);
  system.desktop.RunMessageLoop();
  system.desktop.ClearTimeLimit();
}

class RemoveDeviceSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override { system.StartAll(); }

  SimWholePc system;
};

TEST_F(RemoveDeviceSequenceTest, OpensOnADoubleClickTheCommandAndASecondStart) {
  struct Case {
    const char* what;
    std::function<void()> ask;
  };
  const std::vector<Case> cases = {
      {"double click on the icon",
       [&] {
         dynamic_cast<CMainFrame*>(system.app->mainWindow())->UpdateIcon();
         system.notificationArea.Click(system.app->mainWindowId(), kTrayIconId, win::kWmLButtonDblClk);
       }},
      {"command of the command menu",
       [&] { system.desktop.Post(system.app->mainWindowId(), win::kWmCommand, kRemoveDeviceCommand, 0); }},
      {"second start",
       [&] {
         CHolvaraApp second(system.ports(), system.client());
         EXPECT_FALSE(second.InitInstance());
       }},
  };
  for (const Case& c : cases) {
    std::vector<std::string> rows;
    bool markerSet = false;
    system.desktop.OnNextDialog(kRemoveDeviceDialogTemplate, [&](WindowId dialog) {
      rows = Rows(system, dialog);
      markerSet = system.app->BusyMarker() == kRemoveDeviceDialogMarker;
      system.desktop.ClickItem(dialog, win::kIdCancel);
    });
    c.ask();
    RunFor(system, 1000);
    EXPECT_EQ(rows.size(), 6u) << c.what << ": the unit, its four members and the DVD writer";
    EXPECT_TRUE(markerSet) << c.what;
    EXPECT_EQ(system.app->BusyMarker(), "") << c.what;
  }
  EXPECT_EQ(system.desktop.shownDialogs(), std::vector<int>(3, kRemoveDeviceDialogTemplate));
}

TEST_F(RemoveDeviceSequenceTest, RemovesTheMarkedMemberStaysOpenAndFollowsTheRefresh) {
  std::vector<std::string> rowsRightAfter, rowsAfterRefresh;
  bool buttonsEnabled = false, removeEnabledAfterRefresh = true;
  system.desktop.OnNextDialog(kRemoveDeviceDialogTemplate, [&](WindowId dialog) {
    ClickRow(system, dialog, "[ TRAY:2 ]");
    system.desktop.ClickItem(dialog, win::kIdOk);
    rowsRightAfter = Rows(system, dialog);
    buttonsEnabled = system.desktop.ItemEnabled(dialog, win::kIdOk) &&
                     system.desktop.ItemEnabled(dialog, CRemoveDeviceDlg::kRescanButton);
    system.desktop.At(system.kernel.NowMs() + 3000, [&, dialog] {
      rowsAfterRefresh = Rows(system, dialog);
      removeEnabledAfterRefresh = system.desktop.ItemEnabled(dialog, win::kIdOk);
      system.desktop.Post(dialog, win::kWmCommand, win::kIdCancel, 0);
    });
  });
  system.app->RemoveDeviceSequence();

  EXPECT_EQ(Gone(system), std::vector<std::string>{Member(1)});
  EXPECT_EQ(system.desktop.shownDialogs(), (std::vector<int>{kRemoveDeviceDialogTemplate, kRemoveProgressTemplate}));
  EXPECT_TRUE(buttonsEnabled) << "the removed member is listed until the refresh, and still marked";
  EXPECT_EQ(rowsRightAfter.size(), 6u) << "refilled from the list not yet refreshed";
  ASSERT_EQ(rowsAfterRefresh.size(), 5u);
  for (const std::string& row : rowsAfterRefresh) EXPECT_EQ(row.find("[ TRAY:2 ]"), std::string::npos) << row;
  EXPECT_FALSE(removeEnabledAfterRefresh) << "the mark left with its member";
  EXPECT_TRUE(system.desktop.cancelledDialogs().empty());
}

// A device change anywhere on the PC brings a refresh and a refill between the user's click on a
// row and Remove. The member marked stays marked wherever its row goes, and Remove takes it alone;
// when it has left, nothing is marked and Remove stays disabled.
TEST(RemoveDeviceSequence, TheMarkFollowsItsDeviceThroughRefillsAndRemoveTakesOnlyIt) {
  struct Case {
    const char* what;
    const char* marked;
    std::function<void(SimWholePc&)> change;
    std::vector<std::string> gone;
    bool removeEnabled;
  };
  const std::vector<Case> cases = {
      {"a notice of an unchanged list",
       "[ TRAY:3 ]",
       [](SimWholePc& system) { system.app->RefreshDevices(); },
       {Member(2)},
       true},
      // Every member is shown: a fifth one is listed above the DVD writer, whose row moves down.
      {"a list with a member more above it",
       "PIONEER",
       [](SimWholePc& system) {
         system.SetProfile("Basic", 0);
         system.app->RefreshDevices();
       },
       {std::string(kDvd)},
       true},
      {"the marked member left",
       "[ TRAY:3 ]",
       [](SimWholePc& system) {
         Unplug(system, Member(2));
         system.app->RefreshDevices();
       },
       {Member(2)},
       false},
  };
  for (const Case& c : cases) {
    SimWholePc system;
    system.StartAll();
    bool removeEnabled = !c.removeEnabled;
    system.desktop.OnNextDialog(kRemoveDeviceDialogTemplate, [&](WindowId dialog) {
      ClickRow(system, dialog, c.marked);
      c.change(system);
      // The user presses Remove after the refill.
      system.desktop.At(system.kernel.NowMs() + 100, [&, dialog] {
        removeEnabled = system.desktop.ItemEnabled(dialog, win::kIdOk);
        system.desktop.ClickItem(dialog, win::kIdOk);
        system.desktop.Post(dialog, win::kWmCommand, win::kIdCancel, 0);
      });
    });
    system.app->RemoveDeviceSequence();

    EXPECT_EQ(removeEnabled, c.removeEnabled) << c.what;
    EXPECT_EQ(Gone(system), c.gone) << c.what;
  }
}

// The unit's row was filled with four members; a fifth joined (or one left) while the dialog
// was disabled and missed the notice. Remove removes nothing the user did not see.
TEST(RemoveDeviceSequence, AUnitWhoseMembersChangedUnseenIsNotRemoved) {
  struct Case {
    const char* what;
    std::function<void(SimWholePc&)> change;
    std::vector<std::string> gone;
    std::size_t rowsAfter;
  };
  const std::vector<Case> cases = {
      {"a member joined", [](SimWholePc& system) { system.SetProfile("Basic", 0); }, {}, 7},
      {"a member left", [](SimWholePc& system) { Unplug(system, Member(4)); }, {Member(4)}, 5},
  };
  for (const Case& c : cases) {
    SimWholePc system;
    system.StartAll();
    std::vector<std::string> rows;
    int mark = 0;
    bool removeEnabled = true;
    system.desktop.OnNextDialog(kRemoveDeviceDialogTemplate, [&](WindowId dialog) {
      ClickRow(system, dialog, "[ HOST:1  PORT:1 ]");
      system.desktop.Enable(dialog, false);
      c.change(system);
      system.app->RefreshDevices();
      system.desktop.Enable(dialog, true);
      system.desktop.ClickItem(dialog, win::kIdOk);
      rows = Rows(system, dialog);
      mark = Mark(system, dialog);
      removeEnabled = system.desktop.ItemEnabled(dialog, win::kIdOk);
      system.desktop.Post(dialog, win::kWmCommand, win::kIdCancel, 0);
    });
    system.app->RemoveDeviceSequence();

    EXPECT_EQ(Gone(system), c.gone) << c.what;
    EXPECT_EQ(system.desktop.shownDialogs(), std::vector<int>{kRemoveDeviceDialogTemplate}) << c.what;
    EXPECT_EQ(rows.size(), c.rowsAfter) << c.what << ": refilled";
    EXPECT_EQ(mark, -1) << c.what << ": the unit shown is no longer listed";
    EXPECT_FALSE(removeEnabled) << c.what;
  }
}

// The confirmation box of a device that holds system files has no owner, so the dialog stays live
// under it: a refresh that was under way refills it, and the user can click everything. Nothing
// starts, Cancel does not close it, Remove and Rescan stay disabled; the removal ends as asked.
TEST_F(RemoveDeviceSequenceTest, WhileARemovalsBoxIsUpTheDialogStartsNothingElse) {
  system.files.AddFile("F:\\pagefile.sys");  // on the unit's second member
  system.app->RefreshDevices();
  std::vector<std::string> rowsDuring, rowsAfter;
  std::vector<bool> enabledDuring;
  std::string markerDuring;
  const int autoRunStored = system.app->ProfileInt("AutoRun", -1);
  int autoRunDuring = -1;
  system.desktop.OnNextDialog(kRemoveDeviceDialogTemplate, [&](WindowId dialog) {
    ClickRow(system, dialog, "[ TRAY:2 ]");
    // A device change a moment before Remove: its refresh comes while the box is up.
    system.desktop.Post(system.app->mainWindowId(), win::kWmDeviceChange, win::kDbtDevNodesChanged, 0);
    Unplug(system, Member(4));
    system.desktop.AnswerNextMessageBox(win::kIdOk, [&, dialog] {
      RunFor(system, 2000);
      rowsDuring = Rows(system, dialog);
      enabledDuring = {system.desktop.ItemEnabled(dialog, win::kIdOk),
                       system.desktop.ItemEnabled(dialog, CRemoveDeviceDlg::kRescanButton)};
      markerDuring = system.app->BusyMarker();
      for (const int button : {win::kIdOk, static_cast<int>(CRemoveDeviceDlg::kRescanButton),
                               static_cast<int>(CRemoveDeviceDlg::kSettingsButton), static_cast<int>(win::kIdCancel)}) {
        system.desktop.Send(dialog, win::kWmCommand, static_cast<std::uintptr_t>(button) | (win::kBnClicked << 16), 0);
      }
      system.desktop.ClickItem(dialog, CRemoveDeviceDlg::kAutoRunBox);
      autoRunDuring = system.desktop.ItemCheck(dialog, CRemoveDeviceDlg::kAutoRunBox);
      RunFor(system, 100);
    });
    system.desktop.At(system.kernel.NowMs() + 100, [&, dialog] {
      system.desktop.ClickItem(dialog, win::kIdOk);
      system.desktop.At(system.kernel.NowMs() + 3000, [&, dialog] {
        rowsAfter = Rows(system, dialog);
        system.desktop.Post(dialog, win::kWmCommand, win::kIdCancel, 0);
      });
    });
  });
  system.app->RemoveDeviceSequence();

  EXPECT_EQ(rowsDuring.size(), 5u) << "refilled while the box was up";
  EXPECT_EQ(enabledDuring, (std::vector<bool>{false, false}));
  EXPECT_EQ(markerDuring, kRemoveProgressMarker) << "icon clicks and a second start bring a window forward";
  EXPECT_EQ(autoRunDuring, autoRunStored) << "the box shows what is stored";
  EXPECT_EQ(system.app->ProfileInt("AutoRun", -1), autoRunStored);
  EXPECT_EQ(Gone(system), (std::vector<std::string>{Member(1), Member(4)}));
  EXPECT_EQ(system.desktop.shownDialogs(), (std::vector<int>{kRemoveDeviceDialogTemplate, kRemoveProgressTemplate}));
  EXPECT_EQ(rowsAfter.size(), 4u) << "still open after the removal, and refilled";
  EXPECT_TRUE(system.desktop.cancelledDialogs().empty());
}

// The rescan's progress dialog shows over the dialog, whose buttons are disabled meanwhile; the
// refresh after the rescan refills the list with what the rescan found.
TEST_F(RemoveDeviceSequenceTest, RescanShowsItsDialogWithTheButtonsDisabledAndTheListFollows) {
  std::vector<bool> enabledDuring, enabledAfter;
  std::vector<std::string> rowsAfter;
  system.desktop.OnNextDialog(kRemoveDeviceDialogTemplate, [&](WindowId dialog) {
    system.desktop.OnNextDialog(kRescanDialogTemplate, [&, dialog](WindowId) {
      enabledDuring = {system.desktop.ItemEnabled(dialog, win::kIdOk),
                       system.desktop.ItemEnabled(dialog, CRemoveDeviceDlg::kRescanButton)};
      Unplug(system, Member(4));
    });
    system.desktop.ClickItem(dialog, CRemoveDeviceDlg::kRescanButton);
    system.desktop.At(system.kernel.NowMs() + 100, [&, dialog] {
      rowsAfter = Rows(system, dialog);
      enabledAfter = {system.desktop.ItemEnabled(dialog, win::kIdOk),
                      system.desktop.ItemEnabled(dialog, CRemoveDeviceDlg::kRescanButton)};
      system.desktop.Post(dialog, win::kWmCommand, win::kIdCancel, 0);
    });
  });
  system.app->RemoveDeviceSequence();

  EXPECT_TRUE(system.pc.machine().rescanned);
  EXPECT_EQ(system.desktop.dialogsSeen(), (std::vector<int>{kRemoveDeviceDialogTemplate, kRescanDialogTemplate}));
  EXPECT_EQ(enabledDuring, (std::vector<bool>{false, false}));
  ASSERT_EQ(rowsAfter.size(), 5u);
  for (const std::string& row : rowsAfter) EXPECT_EQ(row.find("[ TRAY:5 ]"), std::string::npos) << row;
  EXPECT_EQ(enabledAfter, (std::vector<bool>{false, true})) << "the unit marked at the first fill lost a member";
  EXPECT_TRUE(system.desktop.cancelledDialogs().empty());
}

}  // namespace
}  // namespace holvara
