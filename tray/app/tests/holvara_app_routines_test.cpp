// The application's shared routines on a running program: the message-box routine and its open
// flag, the text loader, the busy-marker check, the help opener and the list-changed notice.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tray/app/holvara_app.h"
#include "tray/app/tests/sim_tray_pc.h"

namespace holvara {
namespace {

class RoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(app.InitInstance()); }

  SimTrayPc pc;
  CHolvaraApp app{pc.ports(), pc.client()};
};

struct BoxStyleCase {
  const char* name;
  std::uint32_t style;
  std::uint32_t shown;
};

class MessageBoxStyleTest : public RoutinesTest, public ::testing::WithParamInterface<BoxStyleCase> {};

TEST_P(MessageBoxStyleTest, ShowsTheLibraryTextWithTheProductCaption) {
  int flagWhileShown = -1;
  pc.desktop.AnswerNextMessageBox(win::kIdCancel, [&] { flagWhileShown = app.messageBoxOpen(); });

  EXPECT_EQ(app.ShowMessage(5001, GetParam().style), win::kIdCancel);

  EXPECT_EQ(flagWhileShown, 1);
  EXPECT_EQ(app.messageBoxOpen(), 0);
  ASSERT_EQ(pc.desktop.messageBoxes().size(), 1u);
  const SimShownBox& box = pc.desktop.messageBoxes()[0];
  EXPECT_EQ(box.text, EnglishResourceLibrary().strings.at(5001));
  EXPECT_EQ(box.caption, "ZELTO Dock Warden");
  EXPECT_EQ(box.style, GetParam().shown);
  EXPECT_EQ(box.owner, app.mainWindowId());
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MessageBoxStyleTest,
    ::testing::Values(BoxStyleCase{"Ok", win::kMbOk, win::kMbOk | win::kMbIconExclamation},
                      BoxStyleCase{"OkCancel", win::kMbOkCancel, win::kMbOkCancel | win::kMbIconExclamation},
                      BoxStyleCase{"YesNo", win::kMbYesNo, win::kMbYesNo | win::kMbIconQuestion},
                      BoxStyleCase{"Information", win::kMbIconInformation, win::kMbIconInformation},
                      BoxStyleCase{"Hand", win::kMbIconHand, win::kMbIconHand}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RoutinesTest, TheProfileStaysInPlaceWhileTheBoxCarriesTheProductTitle) {
  // Timers and dialogs keep running while a box is up; their settings must not move with the caption.
  int shownWhileUp = -1;
  pc.desktop.AnswerNextMessageBox(win::kIdOk, [&] {
    shownWhileUp = app.GetProfileInt("Common", "Show", -1);
    app.WriteProfileInt("Common", "ResumeRescan", 1);
  });
  app.ShowMessage(20, win::kMbIconInformation);

  EXPECT_EQ(shownWhileUp, 1);
  EXPECT_EQ(pc.registry.Dword(RegistryRoot::kCurrentUser, kSimSettingsKey, "ResumeRescan"), 1u);
  EXPECT_FALSE(pc.registry.KeyExists(RegistryRoot::kCurrentUser, "Software\\ZELTO\\ZELTO Dock Warden"));
}

TEST_F(RoutinesTest, TheApplicationNameIsBackAfterTheBox) {
  app.ShowMessage(20, win::kMbIconInformation);
  app.MessageBox("plain", win::kMbOk);
  EXPECT_EQ(pc.desktop.messageBoxes()[1].caption, "ZELTO Dock Warden");
  EXPECT_EQ(app.GetProfileInt("Common", "Show", -1), 1);  // the profile still finds its key
}

TEST_F(RoutinesTest, TextLoaderCutsToTheBufferAndGivesEmptyForAnAbsentString) {
  std::array<char, 8> small{};
  EXPECT_EQ(app.LoadText(5001, small), 7);
  EXPECT_EQ(std::string(small.data()), EnglishResourceLibrary().strings.at(5001).substr(0, 7));

  std::array<char, 255> text;
  text.fill('x');
  EXPECT_EQ(app.LoadText(12, text), 0);
  EXPECT_EQ(text[0], '\0');
}

TEST_F(RoutinesTest, BusyMarkerCheckFindsTheFirstInItsOrder) {
  const WindowId main = app.mainWindowId();
  EXPECT_TRUE(app.BusyMarker().empty());
  pc.desktop.SetProperty(main, "CVersionDlg", 1);
  pc.desktop.SetProperty(main, "CRemoveDeviceDlg", 1);
  EXPECT_EQ(app.BusyMarker(), "CRemoveDeviceDlg");
  pc.desktop.SetProperty(main, "CRemoveProgressDlg", 1);
  EXPECT_EQ(app.BusyMarker(), "CRemoveProgressDlg");
  pc.desktop.SetProperty(main, "SATAService", 1);
  EXPECT_EQ(app.BusyMarker(), "SATAService");
}

TEST_F(RoutinesTest, ListChangeIsPostedToTheMainWindowWhenNoPopupIsOpen) {
  struct Recorder : WindowHandler {
    std::intptr_t HandleMessage(WindowId, std::uint32_t message, std::uintptr_t, std::intptr_t) override {
      if (message == kDeviceListChangedMessage) ++notices;
      return message == win::kWmNcCreate ? 1 : 0;
    }
    int notices = 0;
  } popup;
  app.NotifyDeviceListChanged();  // reaches the main window, which ignores it
  WindowCreation creation;
  creation.parent = app.mainWindowId();
  const WindowId popupWindow = pc.desktop.Create(creation, popup);
  app.NotifyDeviceListChanged();
  pc.desktop.SetTimeLimit(10);
  pc.desktop.RunMessageLoop();
  EXPECT_EQ(popup.notices, 1);
  pc.desktop.Destroy(popupWindow);
}

struct HelpCase {
  const char* name;
  bool indexPresent;
  bool pdfPresent;
  std::intptr_t pdfResult;  // 0: what the shell says by itself
  const char* opened;
  bool notFoundBox;
};

class HelpTest : public RoutinesTest, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpTest, OpensTheDocumentNextToTheProgram) {
  const HelpCase& c = GetParam();
  const std::string folder = "C:\\Program Files\\ZELTO\\Holvara\\";
  if (c.indexPresent) pc.files.AddFile(folder + "Index.html");
  if (c.pdfPresent) pc.files.AddFile(folder + "ZELTODockWarden.pdf");
  if (c.pdfResult != 0) pc.shell.SetResult(folder + "ZELTODockWarden.pdf", c.pdfResult);

  app.WinHelp(7, 3);

  ASSERT_EQ(pc.shell.opened().size(), 1u);
  EXPECT_EQ(pc.shell.opened()[0], folder + c.opened);
  ASSERT_EQ(pc.desktop.messageBoxes().size(), c.notFoundBox ? 1u : 0u);
  if (c.notFoundBox) {
    EXPECT_EQ(pc.desktop.messageBoxes()[0].text, "Help file is not found!");
    EXPECT_EQ(pc.desktop.messageBoxes()[0].caption, "ZELTO Dock Warden");
    EXPECT_EQ(pc.desktop.messageBoxes()[0].style, win::kMbOk | win::kMbIconExclamation);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpTest,
                         ::testing::Values(HelpCase{"IndexFirst", true, true, 0, "Index.html", false},
                                           HelpCase{"PdfWithoutIndex", false, true, 0, "ZELTODockWarden.pdf", false},
                                           HelpCase{"Neither", false, false, 0, "ZELTODockWarden.pdf", true},
                                           HelpCase{"NoProgramForThePdf", false, true, 31, "ZELTODockWarden.pdf", true},
                                           HelpCase{"ShellReports32", false, true, 32, "ZELTODockWarden.pdf", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OpenFileTest, HandsTheTargetToTheShellAndReturnsItsResult) {
  SimTrayPc pc;
  CHolvaraApp app(pc.ports(), pc.client());
  pc.shell.SetResult("http://www.zelto.example/", 42);
  EXPECT_EQ(app.OpenFile("http://www.zelto.example/"), 42);
  EXPECT_EQ(pc.shell.opened().back(), "http://www.zelto.example/");
}

}  // namespace
}  // namespace holvara
