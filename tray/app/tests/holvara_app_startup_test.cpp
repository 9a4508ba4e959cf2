// Start and end of the tray program on a simulated PC: which starts run, which end and what the
// user sees when they do, the hidden main window, and what the end of the program releases.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "tray/app/holvara_app.h"
#include "tray/app/tests/sim_tray_pc.h"
#include "tray/resources/startup_messages.h"

namespace holvara {
namespace {

using ::testing::ElementsAre;

constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\run";

class StartupTest : public ::testing::Test {
 protected:
  std::optional<std::uint32_t> Setting(const char* name) {
    return pc.registry.Dword(RegistryRoot::kCurrentUser, kSimSettingsKey, name);
  }
  void SetSetting(const char* name, std::uint32_t value) {
    pc.registry.SetDword(RegistryRoot::kCurrentUser, kSimSettingsKey, name, value);
  }

  SimTrayPc pc;
};

TEST_F(StartupTest, FirstStartWritesTheDefaultsInOrderThenTheLogonEntry) {
  CHolvaraApp app(pc.ports(), pc.client());
  ASSERT_TRUE(app.InitInstance());

  std::vector<std::string> written;
  for (const SimRegistryWrite& write : pc.registry.writes()) {
    EXPECT_EQ(write.root, RegistryRoot::kCurrentUser);
    written.push_back(write.path + " " + write.value.name);
  }
  const std::string profile = std::string(kSimSettingsKey) + " ";
  EXPECT_THAT(written,
              ElementsAre(profile + "AutoRun", profile + "Basic", profile + "SystemMessage", profile + "Show",
                          profile + "ResumeRescan", profile + "SearchCode", std::string(kRunKey) + " Holvara"));
  EXPECT_EQ(Setting("AutoRun"), 1u);
  EXPECT_EQ(Setting("Basic"), 1u);
  EXPECT_EQ(Setting("SystemMessage"), 1u);
  EXPECT_EQ(Setting("Show"), 1u);
  EXPECT_EQ(Setting("ResumeRescan"), 0u);
  EXPECT_EQ(Setting("SearchCode"), 64u);
  EXPECT_FALSE(Setting("DebugFlag"));

  const auto entry = pc.registry.Value(RegistryRoot::kCurrentUser, kRunKey, "Holvara");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->type, reg::kSz);
  const std::string expected = "\"" + std::string(kSimProgramPath) + "\" /AutoRun";
  EXPECT_EQ(std::string(entry->data.begin(), entry->data.end()), expected + '\0');
}

// At logon the system hands the program its entry unchanged as the command line.
TEST_F(StartupTest, TheEntryWrittenAtTheFirstStartStartsTheProgramAtLogon) {
  {
    CHolvaraApp first(pc.ports(), pc.client());
    ASSERT_TRUE(first.InitInstance());
    first.ExitInstance();
  }
  const auto entry = pc.registry.Value(RegistryRoot::kCurrentUser, kRunKey, "Holvara");
  ASSERT_TRUE(entry);
  pc.system.commandLine = std::string(reinterpret_cast<const char*>(entry->data.data()));
  CHolvaraApp atLogon(pc.ports(), pc.client());
  EXPECT_TRUE(atLogon.InitInstance());
  EXPECT_NE(atLogon.mainWindowId(), kNoWindow);
}

TEST_F(StartupTest, CriticalErrorsFailAtOnceFromTheStart) {
  SetSetting("AutoRun", 0);
  pc.system.commandLine = std::string(kSimProgramPath) + " /AutoRun";
  CHolvaraApp app(pc.ports(), pc.client());
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(pc.system.criticalErrorsFail);
}

TEST_F(StartupTest, LaterStartsWriteNothing) {
  SetSetting("AutoRun", 1);
  CHolvaraApp app(pc.ports(), pc.client());
  ASSERT_TRUE(app.InitInstance());
  EXPECT_TRUE(pc.registry.writes().empty());
}

struct LogonCase {
  const char* name;
  std::optional<std::uint32_t> autoRun;  // absent: first start
  const char* arguments;
  bool runs;
};

class LogonStartTest : public StartupTest, public ::testing::WithParamInterface<LogonCase> {};

TEST_P(LogonStartTest, RunsOrEndsSilently) {
  const LogonCase& c = GetParam();
  if (c.autoRun) SetSetting("AutoRun", *c.autoRun);
  pc.system.commandLine = c.arguments;
  CHolvaraApp app(pc.ports(), pc.client());

  EXPECT_EQ(app.InitInstance(), c.runs);
  EXPECT_EQ(app.mainWindowId() != kNoWindow, c.runs);
  EXPECT_EQ(pc.mutexes.Exists("Holvara"), c.runs);
  EXPECT_TRUE(pc.desktop.messageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogonStartTest,
    ::testing::Values(LogonCase{"FirstStartFromTheLogonEntry", std::nullopt, "\"C:\\Holvara.exe\" /AutoRun", true},
                      LogonCase{"SwitchedOffAtLogon", 0, "\"C:\\Holvara.exe\" /AutoRun", false},
                      LogonCase{"SwitchedOffByHand", 0, "\"C:\\Holvara.exe\"", true},
                      LogonCase{"SwitchInsideALongerWord", 0, "\"C:\\Tools/AutoRunner\\Holvara.exe\"", false},
                      LogonCase{"SwitchInAnotherCase", 0, "\"C:\\Holvara.exe\" /autorun", true},
                      LogonCase{"SwitchedOnAtLogon", 1, "\"C:\\Holvara.exe\" /AutoRun", true},
                      // Both forms of the entry under a folder with a blank, as the system passes them.
                      LogonCase{"QuotedEntry", 1, "\"C:\\Program Files\\ZELTO\\Holvara\\Holvara.exe\" /AutoRun", true},
                      LogonCase{"UnquotedEntry", 1, "C:\\Program Files\\ZELTO\\Holvara\\Holvara.exe /AutoRun", true},
                      LogonCase{"UnquotedEntrySwitchedOff", 0,
                                "C:\\Program Files\\ZELTO\\Holvara\\Holvara.exe /AutoRun", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct InstallationCase {
  const char* name;
  std::uint32_t locale;
  bool keyPresent;
  std::uint32_t marker;
  const char* text;
};

class InstallationTest : public StartupTest, public ::testing::WithParamInterface<InstallationCase> {};

TEST_P(InstallationTest, AnIncompleteInstallationShowsTheInstallationBox) {
  const InstallationCase& c = GetParam();
  pc.registry = SimRegistry();
  if (c.keyPresent) pc.registry.SetDword(RegistryRoot::kLocalMachine, kSimSettingsKey, "CurrentMode", c.marker);
  pc.system.locale = c.locale;
  CHolvaraApp app(pc.ports(), pc.client());

  EXPECT_FALSE(app.InitInstance());
  ASSERT_EQ(pc.desktop.messageBoxes().size(), 1u);
  const SimShownBox& box = pc.desktop.messageBoxes()[0];
  EXPECT_EQ(box.text, c.text);
  EXPECT_EQ(box.caption, "ZELTO Dock Warden");
  EXPECT_EQ(box.style, win::kMbIconError);
  EXPECT_EQ(box.owner, kNoWindow);
  EXPECT_FALSE(pc.mutexes.Exists("Holvara"));
  EXPECT_TRUE(pc.resources.attempts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallationTest,
    ::testing::Values(
        InstallationCase{"EnglishNoKey", kSimEnglishLocale, false, 0, kInstallationMessageEnglish},
        InstallationCase{"EnglishOtherMarker", kSimEnglishLocale, true, 141421357, kInstallationMessageEnglish},
        InstallationCase{"JapaneseNoKey", kSimJapaneseLocale, false, 0, kInstallationMessageJapanese},
        InstallationCase{"JapaneseOtherMarker", kSimJapaneseLocale, true, 0, kInstallationMessageJapanese},
        InstallationCase{"JapaneseSublanguageBits", 0x0811, false, 0, kInstallationMessageJapanese}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartupMessagesTest, JapaneseTextsAreInCodePage932) {
  // "ゼ" is 83 5B in code page 932; the installation message begins with it.
  EXPECT_EQ(std::string(kInstallationMessageJapanese).substr(0, 2), "\x83\x5B");
  EXPECT_NE(std::string(kLibraryMessageJapanese).find("\n\n"), std::string::npos);
}

struct LibraryCase {
  const char* name;
  std::uint32_t locale;
  bool japaneseInstalled;
  bool englishInstalled;
  std::vector<std::string> attempts;
  const char* libraryBox;  // null: the program runs
};

class LibraryTest : public StartupTest, public ::testing::WithParamInterface<LibraryCase> {};

TEST_P(LibraryTest, ChoosesTheLibraryByLanguage) {
  const LibraryCase& c = GetParam();
  pc.system.locale = c.locale;
  if (!c.japaneseInstalled) pc.resources.Uninstall("HolvaraRes.dll");
  if (!c.englishInstalled) pc.resources.Uninstall("HolvaraResUS.dll");
  CHolvaraApp app(pc.ports(), pc.client());

  EXPECT_EQ(app.InitInstance(), c.libraryBox == nullptr);
  EXPECT_EQ(pc.resources.attempts(), c.attempts);
  if (c.libraryBox) {
    ASSERT_EQ(pc.desktop.messageBoxes().size(), 1u);
    EXPECT_EQ(pc.desktop.messageBoxes()[0].text, c.libraryBox);
    EXPECT_EQ(pc.desktop.messageBoxes()[0].caption, "ZELTO Dock Warden");
    EXPECT_EQ(pc.desktop.messageBoxes()[0].style, win::kMbIconError);
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_FALSE(pc.mutexes.Exists("Holvara"));
  } else {
    EXPECT_TRUE(pc.desktop.messageBoxes().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LibraryTest,
    ::testing::Values(
        LibraryCase{"JapaneseSystem", kSimJapaneseLocale, true, true, {"HolvaraRes.dll"}, nullptr},
        LibraryCase{"JapaneseFallsBackToEnglish",
                    kSimJapaneseLocale,
                    false,
                    true,
                    {"HolvaraRes.dll", "HolvaraResUS.dll"},
                    nullptr},
        LibraryCase{"EnglishSystem", kSimEnglishLocale, true, true, {"HolvaraResUS.dll"}, nullptr},
        LibraryCase{
            "EnglishNeverTakesJapanese", kSimEnglishLocale, true, false, {"HolvaraResUS.dll"}, kLibraryMessageEnglish},
        LibraryCase{"JapaneseWithNoLibrary",
                    kSimJapaneseLocale,
                    false,
                    false,
                    {"HolvaraRes.dll", "HolvaraResUS.dll"},
                    kLibraryMessageJapanese}),
    [](const auto& info) { return std::string(info.param.name); });

// The Japanese texts are in code page 932: shown through any other code page they are garbage.
TEST_F(StartupTest, JapaneseOnlyWithAJapaneseLocaleAndCodePage932) {
  struct Case {
    std::uint32_t locale;
    std::uint32_t codePage;
    const char* library;
    const char* box;
  } cases[] = {
      {kSimJapaneseLocale, kSimJapaneseCodePage, "HolvaraRes.dll", kLibraryMessageJapanese},
      {kSimJapaneseLocale, 65001, "HolvaraResUS.dll", kLibraryMessageEnglish},
      {kSimEnglishLocale, kSimJapaneseCodePage, "HolvaraResUS.dll", kLibraryMessageEnglish},
      {kSimEnglishLocale, kSimWesternCodePage, "HolvaraResUS.dll", kLibraryMessageEnglish},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.locale) + " " + std::to_string(c.codePage));
    {
      SimTrayPc chosen;
      chosen.system.locale = c.locale;
      chosen.system.codePage = c.codePage;
      CHolvaraApp app(chosen.ports(), chosen.client());
      ASSERT_TRUE(app.InitInstance());
      EXPECT_EQ(chosen.resources.attempts().front(), c.library);
      app.ExitInstance();
    }
    SimTrayPc missing;
    missing.system.locale = c.locale;
    missing.system.codePage = c.codePage;
    missing.resources.Uninstall("HolvaraRes.dll");
    missing.resources.Uninstall("HolvaraResUS.dll");
    CHolvaraApp app(missing.ports(), missing.client());
    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(missing.desktop.messageBoxes().size(), 1u);
    EXPECT_EQ(missing.desktop.messageBoxes()[0].text, c.box);
  }
}

TEST_F(StartupTest, TheMainWindowIsHiddenTitledAndWaitsForTheService) {
  CHolvaraApp app(pc.ports(), pc.client());
  ASSERT_TRUE(app.InitInstance());
  const WindowId main = app.mainWindowId();

  EXPECT_EQ(pc.desktop.FindByTitle("Holvara"), main);
  EXPECT_FALSE(pc.desktop.IsVisible(main));
  const std::uint32_t style = pc.desktop.Style(main);
  EXPECT_EQ(style & win::kWsPopup, win::kWsPopup);
  EXPECT_EQ(style & (win::kWsVisible | win::kWsCaption | win::kWsSysMenu), 0u);
  const WindowCreation creation = pc.desktop.Creation(main);
  EXPECT_EQ(creation.x | creation.y | creation.width | creation.height, 0);
  EXPECT_EQ(creation.menu, 0u);
  EXPECT_EQ(pc.desktop.Children(main).size(), 1u);  // the view
  EXPECT_EQ(pc.desktop.TimerInterval(main, 1), 2000u);
  EXPECT_TRUE(pc.desktop.commonControlsInitialised());
  ASSERT_EQ(pc.resources.images().size(), 1u);
  EXPECT_EQ(pc.resources.images()[0].kind, 'i');
  EXPECT_EQ(pc.resources.images()[0].id, 128u);
  EXPECT_EQ(pc.resources.images()[0].width, 16);
  EXPECT_EQ(pc.resources.images()[0].height, 16);
}

TEST_F(StartupTest, AFileArgumentCannotBeOpenedAndEndsTheStart) {
  pc.system.commandLine = "\"C:\\Holvara.exe\" C:\\notes.txt";
  CHolvaraApp app(pc.ports(), pc.client());
  EXPECT_EQ(app.Main(), 0);
  EXPECT_EQ(pc.desktop.FindByTitle("Holvara"), kNoWindow);
  EXPECT_TRUE(pc.desktop.messageBoxes().empty());
  EXPECT_FALSE(pc.mutexes.Exists("Holvara"));
  EXPECT_EQ(pc.resources.loadedCount(), 0);
}

// A folder window of the installation, made before the program started, carries the program's
// title too: the second start signals the window of the program's class, and lets the first
// program's process take the foreground for the dialog it brings forward.
TEST_F(StartupTest, SecondStartSignalsTheFirstByClassAndTitleAndLetsItComeForward) {
  struct Folder : WindowHandler {
    std::intptr_t HandleMessage(WindowId, std::uint32_t message, std::uintptr_t, std::intptr_t) override {
      if (message >= 0xC000) ++registeredMessages;
      return message == win::kWmNcCreate ? 1 : 0;
    }
    int registeredMessages = 0;
  } folder;
  const WindowId folderWindow = pc.desktop.Create({.title = "Holvara"}, folder);
  pc.screen.topWindows.classes[folderWindow] = "CabinetWClass";
  pc.screen.topWindows.processes[folderWindow] = 1200;
  CHolvaraApp first(pc.ports(), pc.client());
  ASSERT_TRUE(first.InitInstance());
  pc.screen.topWindows.processes[first.mainWindowId()] = 3400;
  pc.desktop.SetProperty(first.mainWindowId(), "CConfigDlg", 1);

  CHolvaraApp second(pc.ports(), pc.client());
  EXPECT_EQ(second.Main(), 0);
  EXPECT_EQ(second.mainWindowId(), kNoWindow);
  EXPECT_TRUE(pc.desktop.messageBoxes().empty());
  EXPECT_TRUE(pc.mutexes.Exists("Holvara"));  // still the first one's
  EXPECT_EQ(pc.screen.topWindows.foregroundAllowed, std::vector<std::uint32_t>{3400});

  // The first one answers with its dialog brought forward; the folder window gets nothing.
  pc.desktop.SetTimeLimit(1000);
  pc.desktop.RunMessageLoop();
  EXPECT_EQ(folder.registeredMessages, 0);
  ASSERT_EQ(pc.desktop.positionCalls().size(), 2u);
  EXPECT_EQ(pc.desktop.positionCalls()[0].window, first.mainWindowId());
  EXPECT_EQ(pc.desktop.positionCalls()[0].insertAfter, win::kHwndTopmost);
  EXPECT_EQ(pc.desktop.positionCalls()[1].insertAfter, win::kHwndNoTopmost);
  pc.desktop.Destroy(folderWindow);
}

TEST_F(StartupTest, SecondStartPostsTheRegisteredMessageWithOneAndZero) {
  struct Running : WindowHandler {
    std::intptr_t HandleMessage(WindowId, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
      if (message >= 0xC000) received.push_back({message, wParam, lParam});
      return message == win::kWmNcCreate ? 1 : 0;
    }
    std::vector<std::tuple<std::uint32_t, std::uintptr_t, std::intptr_t>> received;
  } running;
  WindowCreation creation;
  creation.title = "Holvara";
  const WindowId window = pc.desktop.Create(creation, running);
  const MutexCreation held = pc.mutexes.Create("Holvara");

  CHolvaraApp second(pc.ports(), pc.client());
  EXPECT_FALSE(second.InitInstance());
  pc.desktop.SetTimeLimit(10);
  pc.desktop.RunMessageLoop();

  EXPECT_THAT(running.received, ElementsAre(std::make_tuple(pc.desktop.RegisterMessage("HOLVARA"), 1u, 0)));
  pc.desktop.Destroy(window);
}

TEST_F(StartupTest, SecondStartWithoutTheFirstWindowEndsQuietly) {
  const MutexCreation other = pc.mutexes.Create("Holvara");
  CHolvaraApp app(pc.ports(), pc.client());
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(pc.desktop.messageBoxes().empty());
}

TEST_F(StartupTest, TheRegisteredCloseRequestEndsTheProgramAndReleasesEverything) {
  CHolvaraApp app(pc.ports(), pc.client());
  pc.desktop.At(5000, [&] {
    const WindowId running = pc.desktop.FindByTitle("Holvara");
    pc.desktop.Post(running, pc.desktop.RegisterMessage("HOLVARA"), 0, 0);
  });
  EXPECT_EQ(app.Main(), 0);
  EXPECT_EQ(pc.desktop.FindByTitle("Holvara"), kNoWindow);
  EXPECT_FALSE(pc.mutexes.Exists("Holvara"));
  EXPECT_EQ(pc.mutexes.releases(), 1);
  EXPECT_EQ(pc.resources.loadedCount(), 0);

  // The name is free again for the next start.
  CHolvaraApp next(pc.ports(), pc.client());
  EXPECT_TRUE(next.InitInstance());
}

}  // namespace
}  // namespace holvara
