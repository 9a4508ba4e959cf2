// The remove-device dialog on the whole simulated system: the three ways in, a removal of the
// marked member of the unit followed by the main window's delayed refresh, and a rescan.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "tray/app/tests/sim_whole_pc.h"
#include "tray/dialogs/remove_device_dlg.h"
#include "tray/dialogs/remove_progress_dlg.h"
#include "tray/dialogs/rescan_device_dlg.h"
#include "tray/frame/command_menu.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/system_messages.h"

namespace holvara {
namespace {

constexpr char kSecondMember[] = "\\Device\\Scsi\\si3132Port0Path0Target1Lun0";

class RemoveDeviceSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override { system.StartAll(); }

  std::vector<std::string> Rows(WindowId dialog) {
    std::vector<std::string> rows;
    const WindowId list = system.desktop.DialogItem(dialog, CRemoveDeviceDlg::kDeviceList);
    for (const SimListRow& row : system.screen.listViews.List(list).rows) rows.push_back(row.texts.at(0));
    return rows;
  }
  int RowStarting(WindowId dialog, const std::string& start) {
    const std::vector<std::string> rows = Rows(dialog);
    for (std::size_t row = 0; row < rows.size(); ++row) {
      if (rows[row].rfind(start, 0) == 0) return static_cast<int>(row);
    }
    ADD_FAILURE() << "no row " << start;
    return -1;
  }
  void RunFor(std::uint64_t ms) {
    system.desktop.SetTimeLimit(system.kernel.NowMs() + ms);
    system.desktop.RunMessageLoop();
    system.desktop.ClearTimeLimit();
  }

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
      rows = Rows(dialog);
      markerSet = system.app->BusyMarker() == kRemoveDeviceMarkerName;
      system.desktop.ClickItem(dialog, win::kIdCancel);
    });
    c.ask();
    RunFor(1000);
    EXPECT_EQ(rows.size(), 6u) << c.what << ": the unit, its four members and the DVD writer";
    EXPECT_TRUE(markerSet) << c.what;
    EXPECT_EQ(system.app->BusyMarker(), "") << c.what;
  }
  EXPECT_EQ(system.desktop.shownDialogs(), std::vector<int>(3, kRemoveDeviceDialogTemplate));
}

TEST_F(RemoveDeviceSequenceTest, RemovesTheMarkedMemberStaysOpenAndFollowsTheRefresh) {
  std::vector<std::string> rowsRightAfter, rowsAfterRefresh;
  bool buttonsEnabled = false;
  system.desktop.OnNextDialog(kRemoveDeviceDialogTemplate, [&](WindowId dialog) {
    const WindowId list = system.desktop.DialogItem(dialog, CRemoveDeviceDlg::kDeviceList);
    system.screen.listViews.ClickRow(list, RowStarting(dialog, "[ TRAY:2 ]"));
    system.desktop.ClickItem(dialog, win::kIdOk);
    rowsRightAfter = Rows(dialog);
    buttonsEnabled = system.desktop.ItemEnabled(dialog, win::kIdOk) &&
                     system.desktop.ItemEnabled(dialog, CRemoveDeviceDlg::kRescanButton);
    system.desktop.At(system.kernel.NowMs() + 3000, [&, dialog] {
      rowsAfterRefresh = Rows(dialog);
      system.desktop.Post(dialog, win::kWmCommand, win::kIdCancel, 0);
    });
  });
  system.app->RemoveDeviceSequence();

  EXPECT_TRUE(system.NodeRemoved(kSecondMember));
  EXPECT_EQ(system.desktop.shownDialogs(), (std::vector<int>{kRemoveDeviceDialogTemplate, kRemoveProgressTemplate}));
  EXPECT_TRUE(buttonsEnabled);
  EXPECT_EQ(rowsRightAfter.size(), 6u) << "refilled from the list not yet refreshed";
  ASSERT_EQ(rowsAfterRefresh.size(), 5u);
  for (const std::string& row : rowsAfterRefresh) EXPECT_EQ(row.find("[ TRAY:2 ]"), std::string::npos) << row;
  EXPECT_TRUE(system.desktop.cancelledDialogs().empty());
}

TEST_F(RemoveDeviceSequenceTest, RescanShowsItsDialogAndTheListFollows) {
  std::vector<std::string> rowsAfterRescan;
  system.desktop.OnNextDialog(kRemoveDeviceDialogTemplate, [&](WindowId dialog) {
    system.desktop.ClickItem(dialog, CRemoveDeviceDlg::kRescanButton);
    rowsAfterRescan = Rows(dialog);
    system.desktop.Post(dialog, win::kWmCommand, win::kIdCancel, 0);
  });
  system.app->RemoveDeviceSequence();

  EXPECT_TRUE(system.pc.machine().rescanned);
  EXPECT_EQ(system.desktop.shownDialogs(), (std::vector<int>{kRemoveDeviceDialogTemplate, kRescanDialogTemplate}));
  EXPECT_EQ(rowsAfterRescan.size(), 6u);
  EXPECT_TRUE(system.desktop.cancelledDialogs().empty());
}

}  // namespace
}  // namespace holvara
