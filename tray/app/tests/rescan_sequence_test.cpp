// The rescan sequence on the whole simulated system: hidden when the main window starts it, shown
// rounded when a dialog on screen owns it, deaf to the keys that would end it, and keeping an
// outer rescan's busy marker when another runs inside it.
#include <gtest/gtest.h>

#include "platform/ports/ui_constants.h"
#include "tray/app/busy_markers.h"
#include "tray/app/tests/sim_whole_pc.h"

namespace holvara {
namespace {

constexpr int kRescanTemplate = 110;

// A visible window owned by the main window, as the remove-device dialog is.
struct OwnerOnScreen : WindowHandler {
  std::intptr_t HandleMessage(WindowId, std::uint32_t message, std::uintptr_t, std::intptr_t) override {
    return message == win::kWmNcCreate ? 1 : 0;
  }
};

TEST(RescanSequence, FromTheHiddenMainWindowNothingIsSeen) {
  SimWholePc system;
  system.StartAll();
  system.app->RescanSequence();

  EXPECT_TRUE(system.pc.machine().rescanned);
  EXPECT_EQ(system.desktop.shownDialogs(), std::vector<int>{kRescanTemplate});
  EXPECT_TRUE(system.desktop.dialogsSeen().empty());
  ASSERT_FALSE(system.desktop.positionCalls().empty());
  const SimPositionCall hide = system.desktop.positionCalls().back();
  EXPECT_EQ(hide.flags, win::kSwpHideWindow | win::kSwpNoActivate);
  EXPECT_EQ(hide.insertAfter, win::kHwndTop);
  EXPECT_EQ(hide.width + hide.height + hide.x + hide.y, 0);
  ASSERT_EQ(system.shapes.regions().size(), 1u);
  EXPECT_FALSE(system.shapes.regions()[0].rounded);
  EXPECT_TRUE(system.desktop.messageBoxes().empty());
  EXPECT_TRUE(system.desktop.cancelledDialogs().empty());
  EXPECT_EQ(system.app->BusyMarker(), "");
  EXPECT_EQ(system.colours.brushesAlive(), 0u);
}

TEST(RescanSequence, OwnedByAWindowOnScreenItShowsRoundedAndIgnoresTheKeys) {
  OwnerOnScreen handler;
  SimWholePc system;
  system.StartAll();
  const WindowId owner = system.desktop.Create(
      {"Remove Device", win::kWsPopup | win::kWsVisible, 0, 0, 0, 0, 0, system.app->mainWindowId(), 0}, handler);
  WindowId dialog = kNoWindow;
  bool openAfterTheKeys = false;
  system.desktop.OnNextDialog(kRescanTemplate, [&](WindowId window) {
    dialog = window;
    system.desktop.At(system.kernel.NowMs() + 1, [&, window] { openAfterTheKeys = system.desktop.Exists(window); });
    EXPECT_EQ(system.app->BusyMarker(), kRescanDialogMarker);
    for (std::uint32_t message : {win::kWmKeyDown, win::kWmSysKeyDown}) {
      for (std::uintptr_t key : {win::kVkReturn, win::kVkEscape, win::kVkF4})
        system.desktop.Post(window, message, key, 0);
    }
    const std::uintptr_t deviceContext = 0x77;
    const auto brush = system.desktop.Send(window, win::kWmCtlColorStatic, deviceContext,
                                           static_cast<std::intptr_t>(system.desktop.DialogItem(window, 1000)));
    EXPECT_EQ(static_cast<BrushId>(brush), SimControlColours::kNullBrush);
    EXPECT_EQ(system.colours.Context(deviceContext).textColour, 0x0000FFu);
    EXPECT_TRUE(system.colours.Context(deviceContext).transparent);
    const auto background = system.desktop.Send(window, win::kWmCtlColorDlg, 0x78, static_cast<std::intptr_t>(window));
    EXPECT_EQ(system.colours.BrushColour(static_cast<BrushId>(background)), 0x00A3FAFEu);
    EXPECT_EQ(system.desktop.ItemText(window, 1000), "Searching for new devices. Please wait...");
  });
  system.app->RescanSequence();

  EXPECT_TRUE(openAfterTheKeys);
  EXPECT_TRUE(system.pc.machine().rescanned);
  EXPECT_EQ(system.desktop.dialogsSeen(), std::vector<int>{kRescanTemplate});
  EXPECT_EQ(system.desktop.Owner(dialog), kNoWindow);  // gone
  ASSERT_EQ(system.shapes.regions().size(), 1u);
  const SimRegion region = system.shapes.regions()[0];
  EXPECT_TRUE(region.rounded);
  EXPECT_EQ(region.width, system.shapes.defaultRect.Width());
  EXPECT_EQ(region.height, system.shapes.defaultRect.Height());
  EXPECT_EQ(region.ellipseWidth, 20);
  EXPECT_EQ(region.ellipseHeight, 20);
  EXPECT_TRUE(system.desktop.cancelledDialogs().empty());
  EXPECT_TRUE(system.desktop.IsEnabled(owner));
  EXPECT_EQ(system.colours.brushesAlive(), 0u);
}

TEST(RescanSequence, ARescanInsideARescanLeavesTheOuterMarker) {
  SimWholePc system;
  system.StartAll();
  std::string_view markerAfterInner = "unset";
  system.desktop.OnNextDialog(kRescanTemplate, [&](WindowId) {
    system.app->RescanSequence();
    markerAfterInner = system.app->BusyMarker();
  });
  system.app->RescanSequence();
  EXPECT_EQ(markerAfterInner, kRescanDialogMarker);
  EXPECT_EQ(system.app->BusyMarker(), "");
  EXPECT_EQ(system.desktop.shownDialogs(), (std::vector<int>{kRescanTemplate, kRescanTemplate}));
}

}  // namespace
}  // namespace holvara
