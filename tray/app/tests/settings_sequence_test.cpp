// The settings sequence on the whole simulated system: what each way out of the dialog stores, and
// what follows it (a change of "Show" or "Basic": rescan, refresh and icon update, in this order;
// another confirmed change: the icon update; Cancel: nothing); Default, and values stored by hand.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "tray/app/busy_markers.h"
#include "tray/app/tests/sim_whole_pc.h"
#include "tray/frame/main_frame.h"

namespace holvara {
namespace {

constexpr int kSettingsTemplate = 115;
constexpr int kRescanTemplate = 110;
constexpr int kDefaultButton = 1015;
constexpr std::uintptr_t kBnDoubleClicked = 5;
constexpr std::uintptr_t kBnSetFocus = 6;
constexpr std::uintptr_t kBnKillFocus = 7;

// The disks behind the port multiplier are attached but not yet enumerated: only a rescan makes them
// appear, so a list that holds them was refreshed after the rescan, and an icon that "Show" lets
// through only for a non-empty list was updated after that refresh.
void AttachDisksFoundOnlyByARescan(SimWholePc& system) {
  for (auto& node : system.pc.machine().nodes) {
    if (node.deviceObjectName && node.deviceObjectName->starts_with("\\Device\\Scsi\\")) node.appearsAfterRescan = true;
  }
}

std::vector<SimNotifyCall> IconCallsSince(const SimWholePc& system, std::size_t from) {
  return {system.notificationArea.calls().begin() + static_cast<std::ptrdiff_t>(from),
          system.notificationArea.calls().end()};
}

TEST(SettingsSequence, EachWayOutStoresAndFollowsUp) {
  struct Case {
    const char* what;
    std::vector<int> clicks;            // the last one ends the dialog
    std::vector<std::uint32_t> stored;  // Show, SystemMessage, Basic, ResumeRescan after the sequence
    bool rescannedAndRefreshed;
    bool iconUpdated;
  };
  const std::vector<Case> cases = {
      {"SystemMessage and ResumeRescan only", {1009, 1011, win::kIdOk}, {1, 0, 1, 1}, false, true},
      {"Show changed", {1008, win::kIdOk}, {0, 1, 1, 0}, true, true},
      {"Basic changed", {1010, win::kIdOk}, {1, 1, 0, 0}, true, true},
      {"Basic off and on again", {1010, 1010, win::kIdOk}, {1, 1, 1, 0}, false, true},
      {"Default after changing all four, then OK",
       {1008, 1009, 1010, 1011, kDefaultButton, win::kIdOk},
       {1, 1, 1, 0},
       false,
       true},
      {"Default, then Cancel", {1008, 1011, kDefaultButton, win::kIdCancel}, {1, 1, 1, 0}, false, false},
  };
  for (const Case& c : cases) {
    SimWholePc system;
    AttachDisksFoundOnlyByARescan(system);
    system.StartAll();
    ASSERT_TRUE(system.app->DeviceListEmpty()) << c.what;
    const std::size_t iconCallsBefore = system.notificationArea.calls().size();
    std::string_view markerWhileOpen;
    system.desktop.OnNextDialog(kSettingsTemplate, [&](WindowId dialog) {
      markerWhileOpen = system.app->BusyMarker();
      for (int control : c.clicks) system.desktop.ClickItem(dialog, control);
    });
    system.app->SettingsSequence();

    EXPECT_EQ(markerWhileOpen, kConfigDialogMarker) << c.what;
    EXPECT_EQ(system.app->BusyMarker(), "") << c.what;
    const char* names[] = {"Show", "SystemMessage", "Basic", "ResumeRescan"};
    for (int at = 0; at < 4; ++at) {
      EXPECT_EQ(static_cast<std::uint32_t>(system.app->ProfileInt(names[at], -1)), c.stored[at])
          << c.what << " " << names[at];
    }
    EXPECT_EQ(system.pc.machine().rescanned, c.rescannedAndRefreshed) << c.what;
    EXPECT_EQ(!system.app->DeviceListEmpty(), c.rescannedAndRefreshed) << c.what;
    const std::vector<int> dialogs = c.rescannedAndRefreshed ? std::vector<int>{kSettingsTemplate, kRescanTemplate}
                                                             : std::vector<int>{kSettingsTemplate};
    EXPECT_EQ(system.desktop.shownDialogs(), dialogs) << c.what;
    const std::vector<SimNotifyCall> iconCalls = IconCallsSince(system, iconCallsBefore);
    ASSERT_EQ(iconCalls.size(), c.iconUpdated ? 1u : 0u) << c.what;
    if (!c.iconUpdated) continue;
    // With "Show" set the icon is added only when the update saw the rescanned and refreshed list.
    const bool added = c.stored[0] == 0 || c.rescannedAndRefreshed;
    EXPECT_EQ(iconCalls[0].operation, added ? SimNotifyOperation::kAdd : SimNotifyOperation::kDelete) << c.what;
  }
}

// Only a click on Default sets the boxes: the focus notifications a button may also send leave
// them as the user set them.
TEST(SettingsSequence, DefaultActsOnAClickOnly) {
  SimWholePc system;
  system.StartAll();
  std::vector<int> boxesAfterNotices;
  std::vector<int> boxesAfterClick;
  const auto boxes = [&](WindowId dialog) {
    std::vector<int> states;
    for (int box : {1008, 1009, 1010, 1011}) states.push_back(system.desktop.ItemCheck(dialog, box));
    return states;
  };
  system.desktop.OnNextDialog(kSettingsTemplate, [&](WindowId dialog) {
    system.desktop.ClickItem(dialog, 1008);
    system.desktop.ClickItem(dialog, 1011);
    const WindowId button = system.desktop.DialogItem(dialog, kDefaultButton);
    for (std::uintptr_t notice : {kBnSetFocus, kBnKillFocus, kBnDoubleClicked}) {
      system.desktop.Send(dialog, win::kWmCommand, kDefaultButton | (notice << 16), static_cast<std::intptr_t>(button));
    }
    boxesAfterNotices = boxes(dialog);
    system.desktop.ClickItem(dialog, kDefaultButton);
    boxesAfterClick = boxes(dialog);
    system.desktop.ClickItem(dialog, win::kIdCancel);
  });
  system.app->SettingsSequence();
  EXPECT_EQ(boxesAfterNotices, (std::vector<int>{0, 1, 1, 1}));
  EXPECT_EQ(boxesAfterClick, (std::vector<int>{1, 1, 1, 0}));
}

// Values written by hand show as what the program makes of them ("Show" and "ResumeRescan" are
// set when not 0, "SystemMessage" and "Basic" only when 1); OK stores them as 0 or 1 and reports
// no change, since none happened.
TEST(SettingsSequence, StoredValuesOtherThanZeroAndOneMakeNoChangeOfTheirOwn) {
  SimWholePc system;
  system.StartAll();
  system.SetProfile("Show", 2);
  system.SetProfile("SystemMessage", 7);
  system.SetProfile("Basic", 2);
  system.SetProfile("ResumeRescan", 0xFFFFFFFF);
  std::vector<int> shown;
  system.desktop.OnNextDialog(kSettingsTemplate, [&](WindowId dialog) {
    for (int box : {1008, 1009, 1010, 1011}) shown.push_back(system.desktop.ItemCheck(dialog, box));
    system.desktop.ClickItem(dialog, win::kIdOk);
  });
  system.app->SettingsSequence();

  EXPECT_EQ(shown, (std::vector<int>{1, 0, 0, 1}));
  EXPECT_FALSE(system.pc.machine().rescanned);
  EXPECT_EQ(system.desktop.shownDialogs(), std::vector<int>{kSettingsTemplate});
  EXPECT_EQ(system.app->ProfileInt("Show", -1), 1);
  EXPECT_EQ(system.app->ProfileInt("SystemMessage", -1), 0);
  EXPECT_EQ(system.app->ProfileInt("Basic", -1), 0);
  EXPECT_EQ(system.app->ProfileInt("ResumeRescan", -1), 1);
}

TEST(SettingsSequence, TheDialogShowsTheProfileWithLabelsAndBalloonTips) {
  SimWholePc system;
  system.StartAll();
  system.SetProfile("SystemMessage", 0);
  system.SetProfile("ResumeRescan", 1);
  WindowId shown = kNoWindow;
  system.desktop.OnNextDialog(kSettingsTemplate, [&](WindowId dialog) {
    shown = dialog;
    EXPECT_EQ(system.desktop.ItemCheck(dialog, 1008), 1);
    EXPECT_EQ(system.desktop.ItemCheck(dialog, 1009), 0);
    EXPECT_EQ(system.desktop.ItemCheck(dialog, 1010), 1);
    EXPECT_EQ(system.desktop.ItemCheck(dialog, 1011), 1);
    EXPECT_EQ(system.desktop.ItemText(dialog, 1008), "Show the icon only while a removable device is connected");
    system.desktop.ClickItem(dialog, win::kIdCancel);
  });
  system.app->SettingsSequence();

  ASSERT_EQ(system.tooltips.tooltips().size(), 1u);
  const SimTooltip& tooltip = system.tooltips.tooltips()[0];
  EXPECT_EQ(tooltip.owner, shown);
  EXPECT_EQ(tooltip.style, 0x41u);
  EXPECT_EQ(tooltip.background, 0x00EBFFFFu);
  ASSERT_EQ(tooltip.tools.size(), 4u);
  EXPECT_EQ(tooltip.tools[0].flags, 0x11u);
  EXPECT_EQ(tooltip.tools[0].owner, shown);
  EXPECT_EQ(tooltip.tools[0].text, "The notification area icon is hidden while no removable device is connected.");
  EXPECT_EQ(tooltip.tools[3].text,
            "When the computer resumes from standby, the bus is searched again for devices attached in the meantime.");
}

}  // namespace
}  // namespace holvara
