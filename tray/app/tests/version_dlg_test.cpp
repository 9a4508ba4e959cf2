// The version dialog on a running program: its texts from the version block and the library,
// the compact layout at 100% and 200% and with large fonts, colours, cursor, icon, the address,
// the update check box, and the busy marker.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ports/drawing.h"
#include "tray/app/busy_markers.h"
#include "tray/app/holvara_app.h"
#include "tray/app/tests/sim_tray_pc.h"
#include "tray/dialogs/version_dlg.h"
#include "tray/frame/system_messages.h"

namespace holvara {
namespace {

using namespace version_dialog;

class VersionDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(app.InitInstance()); }

  // Runs the version sequence; the action sees the open dialog, which is then closed with a click
  // on its surface unless the action closed it.
  void Run(const std::function<void(WindowId)>& action) {
    pc.desktop.OnNextDialog(kVersionDialogTemplate, [&](WindowId dialog) {
      action(dialog);
      if (pc.desktop.Exists(dialog)) pc.desktop.Send(dialog, win::kWmLButtonDown, 1, 0);
    });
    app.VersionSequence();
    EXPECT_TRUE(pc.desktop.cancelledDialogs().empty());
  }

  std::string Text(int control) { return pc.desktop.ItemText(dialog_, control); }

  const std::string& LibraryString(std::uint32_t id) { return EnglishResourceLibrary().strings.at(id); }

  SimTrayPc pc;
  CHolvaraApp app{pc.ports(), pc.client()};
  WindowId dialog_ = kNoWindow;
};

TEST_F(VersionDialogTest, ShowsTheVersionBlockAndLibraryTextsInTheCompactLayout) {
  bool markerWhileOpen = false;
  Run([&](WindowId dialog) {
    dialog_ = dialog;
    markerWhileOpen = app.BusyMarker() == kVersionDialogMarker;
    EXPECT_EQ(Text(kVersionLine), "Version  1.00");
    EXPECT_EQ(Text(kLegalNotice), kSimCopyright);
    EXPECT_EQ(Text(kAddress), LibraryString(30));
    EXPECT_EQ(Text(kDescription), LibraryString(22));
    EXPECT_EQ(Text(kDateLabel), LibraryString(25));
    EXPECT_EQ(Text(kAutoUpdate), LibraryString(27));
    EXPECT_EQ(Text(kDate), "-");
    EXPECT_FALSE(pc.desktop.ItemEnabled(dialog, kApply));
    for (int hidden : {kDateLabel, kDate, kUpdateList, kAutoUpdate, kApply, win::kIdOk, win::kIdCancel}) {
      EXPECT_FALSE(pc.desktop.ItemVisible(dialog, hidden)) << hidden;
    }
    for (int shown : {kVersionLine, kLegalNotice, kDescription, kAddress}) {
      EXPECT_TRUE(pc.desktop.ItemVisible(dialog, shown)) << shown;
    }
  });
  EXPECT_TRUE(markerWhileOpen);
  EXPECT_TRUE(app.BusyMarker().empty());
  EXPECT_EQ(pc.screen.metrics.clearedRegions(), std::vector<WindowId>{dialog_});
}

TEST_F(VersionDialogTest, WithoutAVersionBlockKeepsTheTemplateTextsAndStillGoesCompact) {
  pc.screen.versions.RemoveBlock(kProgramFileName);
  Run([&](WindowId dialog) {
    dialog_ = dialog;
    EXPECT_EQ(Text(kVersionLine), "Version");
    EXPECT_EQ(Text(kLegalNotice), "Copyright (C) ZELTO Corporation");
    EXPECT_FALSE(pc.desktop.ItemVisible(dialog, win::kIdOk));
  });
}

TEST_F(VersionDialogTest, AVeryLongFileVersionIsCutToTheLineBuffer) {
  pc.screen.versions.SetBlock(kProgramFileName, {{kFileVersionPath, std::string(400, '9')}});
  Run([&](WindowId dialog) {
    dialog_ = dialog;
    EXPECT_EQ(Text(kVersionLine), "Version  " + std::string(254 - 9, '9'));
    EXPECT_EQ(Text(kLegalNotice), "Copyright (C) ZELTO Corporation");
  });
}

TEST(VersionNumberTest, ReadsTheFirstFourCharacters) {
  EXPECT_EQ(LeadingVersionNumber("Version  1.00"), 0.0f);
  EXPECT_EQ(LeadingVersionNumber("1.15 beta"), 1.15f);
  EXPECT_EQ(LeadingVersionNumber("1.160"), 1.16f);
  EXPECT_EQ(LeadingVersionNumber(""), 0.0f);
}

struct DateCase {
  const char* name;
  std::vector<std::uint8_t> data;
  const char* shown;
};

class DateTest : public VersionDialogTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(DateTest, ShowsTheDateOnlyWhenItFitsItsBuffer) {
  pc.registry.SetRaw(RegistryRoot::kCurrentUser, kSimSettingsKey, {"Date", 1, GetParam().data});
  Run([&](WindowId dialog) {
    dialog_ = dialog;
    EXPECT_EQ(Text(kDate), GetParam().shown);
  });
}

std::vector<std::uint8_t> Bytes(const std::string& text, bool terminated) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  if (terminated) bytes.push_back(0);
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(Dates, DateTest,
                         ::testing::Values(DateCase{"Short", Bytes("2026/12/01", true), "2026/12/01"},
                                           DateCase{"FifteenCharacters", Bytes("2026/12/01 1200", true),
                                                    "2026/12/01 1200"},
                                           DateCase{"SixteenWithoutTerminator", Bytes("2026/12/01 12:00", false), "-"},
                                           DateCase{"TooLong", Bytes("2026/12/01 12:00", true), "-"},
                                           DateCase{"Empty", Bytes("", true), "-"}),
                         [](const auto& info) { return info.param.name; });

struct LayoutCase {
  const char* name;
  int dpi;
  int baseUnitHeight;
  int clientHeight;
};

class CompactLayoutTest : public VersionDialogTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(CompactLayoutTest, SizesTheClientAreaByFontAndDensity) {
  pc.screen.metrics.dpi = GetParam().dpi;
  pc.screen.metrics.baseUnitHeight = GetParam().baseUnitHeight;
  pc.screen.metrics.clientRect = {0, 0, 600, 500};
  Run([&](WindowId dialog) { dialog_ = dialog; });
  ASSERT_EQ(pc.desktop.positionCalls().size(), 1u);
  const SimPositionCall& call = pc.desktop.positionCalls()[0];
  EXPECT_EQ(call.window, dialog_);
  EXPECT_EQ(call.flags, 0x16u);
  const int frameWidth = 2 * SimWindowMetrics::kFrame;
  const int frameHeight = 2 * SimWindowMetrics::kFrame + SimWindowMetrics::kTitleBar;
  EXPECT_EQ(call.width, 600 - Scaled(4, GetParam().dpi) + frameWidth);
  EXPECT_EQ(call.height, GetParam().clientHeight + frameHeight);
}

INSTANTIATE_TEST_SUITE_P(Layouts, CompactLayoutTest,
                         ::testing::Values(LayoutCase{"SmallFonts", 96, 16, 185}, LayoutCase{"LargeFonts", 96, 20, 115},
                                           LayoutCase{"SmallFontsAt200", 192, 32, 370},
                                           LayoutCase{"LargeFontsAt200", 192, 40, 230}),
                         [](const auto& info) { return info.param.name; });

TEST_F(VersionDialogTest, PaintsColoursAndShowsTheHandOverTheAddressOnly) {
  std::vector<SimDrawOp> painted;
  std::intptr_t addressBrush = 0, descriptionBrush = 0, versionBrush = -1;
  std::vector<SimDrawOp> addressOps, descriptionOps;
  Run([&](WindowId dialog) {
    dialog_ = dialog;
    pc.desktop.Send(dialog, win::kWmPaint, 0, 0);
    pc.desktop.Send(dialog, win::kWmPaint, 0, 0);
    painted = pc.screen.drawing.ops();
    const auto colour = [&](int control, std::vector<SimDrawOp>& ops) {
      const std::uintptr_t dc = pc.screen.drawing.NewDeviceContext();
      const std::intptr_t brush = pc.desktop.Send(dialog, win::kWmCtlColorStatic, dc,
                                                  static_cast<std::intptr_t>(pc.desktop.DialogItem(dialog, control)));
      ops = pc.screen.drawing.OpsOn(dc);
      return brush;
    };
    std::vector<SimDrawOp> ignored;
    addressBrush = colour(kAddress, addressOps);
    descriptionBrush = colour(kDescription, descriptionOps);
    versionBrush = colour(kVersionLine, ignored);
    pc.desktop.Send(dialog, win::kWmSetCursor, pc.desktop.DialogItem(dialog, kVersionLine), 0);
    pc.desktop.Send(dialog, win::kWmSetCursor, pc.desktop.DialogItem(dialog, kAddress), 0);
    pc.desktop.Send(dialog, win::kWmSetCursor, pc.desktop.DialogItem(dialog, kAddress), 0);
  });
  // The icon at dialog units (20, 28), on each paint, from the one icon loaded for the dialog.
  ASSERT_EQ(painted.size(), 4u);
  EXPECT_EQ(painted[0].kind, SimDrawOp::kIcon);
  EXPECT_EQ(painted[0].x, 30);
  EXPECT_EQ(painted[0].y, 45);
  EXPECT_EQ(painted[1].kind, SimDrawOp::kPaintEnded);
  EXPECT_EQ(painted[2].image, painted[0].image);

  EXPECT_EQ(addressBrush, static_cast<std::intptr_t>(SimDrawing::kNullBrush));
  EXPECT_EQ(addressOps.back().kind, SimDrawOp::kTransparent);
  EXPECT_EQ(addressOps[addressOps.size() - 2].colour, Rgb(0, 0, 255));
  EXPECT_EQ(descriptionBrush, static_cast<std::intptr_t>(SimDrawing::kNullBrush));
  EXPECT_EQ(descriptionOps.back().colour, Rgb(255, 0, 0));
  EXPECT_EQ(versionBrush, 0);

  ASSERT_EQ(pc.screen.cursor.shown().size(), 2u);
  int cursorsLoaded = 0, iconsLoaded = 0;
  for (const SimLoadedImage& image : pc.resources.images()) {
    cursorsLoaded += image.kind == 'c' && image.id == 116;
    iconsLoaded += image.kind == 'i' && image.width == 32;
  }
  EXPECT_EQ(cursorsLoaded, 1);
  EXPECT_EQ(iconsLoaded, 1);
}

TEST_F(VersionDialogTest, TheAddressBeepsAndOpensWithTheShell) {
  Run([&](WindowId dialog) {
    dialog_ = dialog;
    pc.desktop.ClickItem(dialog, kAddress);
  });
  EXPECT_EQ(pc.screen.sound.beeps(), std::vector<std::uint32_t>{0});
  EXPECT_EQ(pc.shell.opened(), std::vector<std::string>{LibraryString(30)});
}

TEST_F(VersionDialogTest, TheUpdateCheckBoxIsStoredByApplyOnly) {
  pc.registry.SetDword(RegistryRoot::kCurrentUser, kSimSettingsKey, "AutoUpDate", 1);
  Run([&](WindowId dialog) {
    dialog_ = dialog;
    EXPECT_EQ(pc.desktop.ItemCheck(dialog, kAutoUpdate), 1);
    pc.desktop.ClickItem(dialog, kAutoUpdate);
    EXPECT_TRUE(pc.desktop.ItemEnabled(dialog, kApply));
    EXPECT_EQ(pc.registry.Dword(RegistryRoot::kCurrentUser, kSimSettingsKey, "AutoUpDate"), 1u);
    pc.desktop.ClickItem(dialog, kApply);
    EXPECT_FALSE(pc.desktop.ItemEnabled(dialog, kApply));
    EXPECT_EQ(pc.registry.Dword(RegistryRoot::kCurrentUser, kSimSettingsKey, "AutoUpDate"), 0u);
    pc.desktop.ClickItem(dialog, kAutoUpdate);
    pc.desktop.ClickItem(dialog, win::kIdCancel);
  });
  ASSERT_EQ(pc.desktop.messageBoxes().size(), 2u);
  EXPECT_EQ(pc.desktop.messageBoxes()[0].text, LibraryString(28));
  EXPECT_EQ(pc.desktop.messageBoxes()[0].style, win::kMbIconInformation);
  EXPECT_EQ(pc.registry.Dword(RegistryRoot::kCurrentUser, kSimSettingsKey, "AutoUpDate"), 0u);
}

}  // namespace
}  // namespace holvara
