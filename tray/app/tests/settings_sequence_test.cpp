// The settings sequence on the whole simulated system: what each way out of the dialog stores, and
// what follows it (a change of "Show" or "Basic": rescan, refresh and icon update; another
// confirmed change: the icon update; Cancel: nothing).
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

TEST(SettingsSequence, EachWayOutStoresAndFollowsUp) {
  struct Case {
    const char* what;
    std::vector<int> clicks;  // the last one ends the dialog
    std::vector<std::uint32_t> stored;  // Show, SystemMessage, Basic, ResumeRescan after the sequence
    bool rescanned;
    bool iconUpdated;
  };
  const std::vector<Case> cases = {
      {"SystemMessage and ResumeRescan only", {1009, 1011, win::kIdOk}, {1, 0, 1, 1}, false, true},
      {"Show changed", {1008, win::kIdOk}, {0, 1, 1, 0}, true, true},
      {"Basic off and on again", {1010, 1010, win::kIdOk}, {1, 1, 1, 0}, false, true},
      {"Default after changing all four, then OK", {1008, 1009, 1010, 1011, kDefaultButton, win::kIdOk}, {1, 1, 1, 0}, false, true},
      {"Default, then Cancel", {1008, 1011, kDefaultButton, win::kIdCancel}, {1, 1, 1, 0}, false, false},
  };
  for (const Case& c : cases) {
    SimWholePc system;
    system.StartAll();
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
      EXPECT_EQ(static_cast<std::uint32_t>(system.app->ProfileInt(names[at], -1)), c.stored[at]) << c.what << " " << names[at];
    }
    EXPECT_EQ(system.pc.machine().rescanned, c.rescanned) << c.what;
    const std::vector<int> dialogs = c.rescanned ? std::vector<int>{kSettingsTemplate, kRescanTemplate}
                                                 : std::vector<int>{kSettingsTemplate};
    EXPECT_EQ(system.desktop.shownDialogs(), dialogs) << c.what;
    EXPECT_EQ(system.notificationArea.Find(system.app->mainWindowId(), kTrayIconId) != nullptr, c.iconUpdated) << c.what;
  }
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
  EXPECT_EQ(tooltip.tools[0].text,
            "The notification area icon is hidden while no removable device is connected.");
  EXPECT_EQ(tooltip.tools[3].text,
            "When the computer resumes from standby, the bus is searched again for devices attached in the meantime.");
}

}  // namespace
}  // namespace holvara
