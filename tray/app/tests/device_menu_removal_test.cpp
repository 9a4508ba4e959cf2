// A removal chosen in the device menu, on the whole simulated system: the menu lists the unit and
// its members, the chosen device is the one removed even when the list is rebuilt while the menu
// is open, and no second removal starts from the icon while one runs.
#include <gtest/gtest.h>

#include <string>

#include "platform/ports/ui_constants.h"
#include "tray/app/tests/sim_whole_pc.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/system_messages.h"

namespace holvara {
namespace {

constexpr char kDvd[] = "\\Device\\Scsi\\si3132Port0Path1Target0Lun0";
std::string Member(int target) { return "\\Device\\Scsi\\si3132Port0Path0Target" + std::to_string(target) + "Lun0"; }

class DeviceMenuRemovalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system.StartAll();
    frame = dynamic_cast<CMainFrame*>(system.app->mainWindow());
    ASSERT_NE(frame, nullptr);
    frame->UpdateIcon();
  }
  void Unplug(const std::string& deviceObject) {
    for (auto& node : system.pc.machine().nodes) {
      if (node.deviceObjectName == deviceObject) node.removed = true;
    }
  }
  void ClickIconAndRun() {
    ASSERT_TRUE(system.notificationArea.Click(frame->id(), kTrayIconId, win::kWmLButtonDown));
    system.desktop.SetTimeLimit(system.kernel.NowMs() + 5000);
    system.desktop.RunMessageLoop();
  }

  SimWholePc system;
  CMainFrame* frame = nullptr;
};

TEST_F(DeviceMenuRemovalTest, ListsTheUnitWithItsMembers) {
  ClickIconAndRun();
  ASSERT_EQ(system.screen.menus.tracked().size(), 1u);
  const auto& items = system.screen.menus.tracked()[0].items;
  ASSERT_GE(items.size(), 6u);
  EXPECT_EQ(items[0].text, "[ HOST:1  PORT:1 ]  PORT MULTIPLIER UNIT");
  EXPECT_EQ(items[0].command, 1001u);
  EXPECT_EQ(items[1].text.rfind("Remove [ TRAY:1 ] ", 0), 0u) << items[1].text;
  EXPECT_EQ(items[1].command, 1002u);
}

// The Japanese layout goes with the Japanese texts: a Japanese region format on a system whose
// code page is not 932 gets the English texts and their layout.
TEST(DeviceMenuLayout, FollowsTheLanguageOfTheTexts) {
  struct Case {
    std::uint32_t locale;
    std::uint32_t codePage;
    const char* memberStart;
  };
  for (const Case& c : {Case{kSimEnglishLocale, kSimWesternCodePage, "Remove [ TRAY:1 ] "},
                        Case{kSimJapaneseLocale, kSimJapaneseCodePage, "    [ TRAY:1 ] "},
                        Case{kSimJapaneseLocale, 65001, "Remove [ TRAY:1 ] "},
                        Case{kSimEnglishLocale, kSimJapaneseCodePage, "Remove [ TRAY:1 ] "}}) {
    SimWholePc system;
    system.system.locale = c.locale;
    system.system.codePage = c.codePage;
    system.StartAll();
    auto* frame = dynamic_cast<CMainFrame*>(system.app->mainWindow());
    ASSERT_NE(frame, nullptr);
    frame->UpdateIcon();
    ASSERT_TRUE(system.notificationArea.Click(frame->id(), kTrayIconId, win::kWmLButtonDown));
    system.desktop.SetTimeLimit(system.kernel.NowMs() + 5000);
    system.desktop.RunMessageLoop();
    ASSERT_EQ(system.screen.menus.tracked().size(), 1u);
    const std::string& member = system.screen.menus.tracked()[0].items.at(1).text;
    EXPECT_EQ(member.rfind(c.memberStart, 0), 0u) << c.locale << " " << c.codePage << ": " << member;
  }
}

TEST_F(DeviceMenuRemovalTest, TheChosenDeviceIsRemovedEvenWhenTheListChangesMeanwhile) {
  // The DVD drive is the sixth entry when the menu opens; a member of the unit goes while the
  // menu is open and the list is rebuilt, so the sixth entry is another device by then.
  system.screen.menus.OnNextTrack([&](const SimTrackedMenu&) {
    Unplug(Member(0));
    system.app->RefreshDevices();
    return 1006u;
  });
  ClickIconAndRun();
  EXPECT_TRUE(system.NodeRemoved(kDvd));
  for (int target : {1, 2, 4}) EXPECT_FALSE(system.NodeRemoved(Member(target))) << target;
  ASSERT_EQ(system.notificationArea.balloons().size(), 1u);
  EXPECT_EQ(system.notificationArea.balloons()[0].text, EnglishResourceLibrary().strings.at(16));
  EXPECT_TRUE(system.desktop.cancelledDialogs().empty());
}

// The confirmation box of a device that holds system files has no owner and leaves the icon
// live: a left click meanwhile brings a window forward instead of opening the device menu.
TEST_F(DeviceMenuRemovalTest, NoSecondRemovalStartsFromTheIconWhileOneRuns) {
  system.files.AddFile("F:\\pagefile.sys");  // on the unit's second member
  system.app->RefreshDevices();
  system.screen.menus.ChooseNext(1003);  // "Remove [ TRAY:2 ] ..."
  std::string markerDuring;
  system.desktop.AnswerNextMessageBox(win::kIdOk, [&] {
    markerDuring = system.app->BusyMarker();
    system.screen.menus.ChooseNext(1006);  // the DVD writer, should a second menu open
    system.notificationArea.Click(frame->id(), kTrayIconId, win::kWmLButtonDown);
    system.desktop.SetTimeLimit(system.kernel.NowMs() + 1000);
    system.desktop.RunMessageLoop();
    system.desktop.SetTimeLimit(system.kernel.NowMs() + 5000);
  });
  ClickIconAndRun();
  EXPECT_EQ(markerDuring, "CRemoveProgressDlg");
  EXPECT_EQ(system.screen.menus.tracked().size(), 1u);
  EXPECT_TRUE(system.NodeRemoved(Member(1)));
  EXPECT_FALSE(system.NodeRemoved(kDvd));
  EXPECT_EQ(system.app->BusyMarker(), "") << "the marker leaves with the removal";
}

}  // namespace
}  // namespace holvara
