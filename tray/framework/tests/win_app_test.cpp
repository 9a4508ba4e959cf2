// The application object's profile in the registry and the standard command-line processing.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_registry.h"
#include "tray/framework/win_app.h"

namespace holvara::framework {
namespace {

class ProfileApp : public WinApp {
 public:
  using WinApp::WinApp;
  bool InitInstance() override { return false; }
};

TEST(ProfileTest, ReadsAndWritesIntegersUnderTheCompanyAndApplication) {
  SimClock clock;
  SimDesktop desktop(clock);
  SimRegistry registry;
  ProfileApp app(desktop, registry, "Holvara");
  app.SetRegistryKey("ZELTO");
  const char* key = "Software\\ZELTO\\Holvara\\Common";

  EXPECT_EQ(app.GetProfileInt("Common", "AutoRun", -1), -1);
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::kCurrentUser, key));  // reading makes nothing
  EXPECT_TRUE(app.WriteProfileInt("Common", "AutoRun", 1));
  EXPECT_EQ(registry.Dword(RegistryRoot::kCurrentUser, key, "AutoRun"), 1u);
  EXPECT_EQ(app.GetProfileInt("Common", "AutoRun", -1), 1);
  app.WriteProfileInt("Common", "Offset", -5);
  EXPECT_EQ(app.GetProfileInt("Common", "Offset", 0), -5);

  registry.SetString(RegistryRoot::kCurrentUser, key, "Show", "1");
  EXPECT_EQ(app.GetProfileInt("Common", "Show", 9), 9);  // not a number value
}

TEST(ProfileTest, AStartThatFailsStillEndsTheInstance) {
  SimClock clock;
  SimDesktop desktop(clock);
  SimRegistry registry;
  ProfileApp app(desktop, registry, "Holvara");
  EXPECT_EQ(app.Main(), 0);
}

struct CommandLineCase {
  const char* line;
  bool namesFile;
  const char* programPath = "";
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, OnlyAPlainArgumentNamesAFile) {
  EXPECT_EQ(CommandLineNamesFile(GetParam().line, GetParam().programPath), GetParam().namesFile) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineTest,
                         ::testing::Values(CommandLineCase{"\"C:\\Program Files\\Holvara.exe\"", false},
                                           CommandLineCase{"\"C:\\Program Files\\Holvara.exe\" /AutoRun", false},
                                           CommandLineCase{"C:\\Holvara.exe -Embedding", false},
                                           CommandLineCase{"C:\\Holvara.exe   ", false},
                                           CommandLineCase{"C:\\Holvara.exe \"\"", false},
                                           CommandLineCase{"C:\\Holvara.exe notes.txt", true},
                                           CommandLineCase{"C:\\Holvara.exe /AutoRun \"my notes.txt\"", true},
                                           // A logon entry written unquoted, as the system hands it over.
                                           CommandLineCase{"C:\\Program Files\\Holvara.exe /AutoRun", true},
                                           CommandLineCase{"C:\\Program Files\\Holvara.exe /AutoRun", false,
                                                           "C:\\Program Files\\Holvara.exe"},
                                           CommandLineCase{"c:\\program files\\holvara.exe", false,
                                                           "C:\\Program Files\\Holvara.exe"},
                                           CommandLineCase{"C:\\Program Files\\Holvara.exe notes.txt", true,
                                                           "C:\\Program Files\\Holvara.exe"},
                                           CommandLineCase{"C:\\Program Files\\Holvara.exeX /AutoRun", true,
                                                           "C:\\Program Files\\Holvara.exe"},
                                           CommandLineCase{"\"C:\\Program Files\\Holvara.exe\" /AutoRun", false,
                                                           "C:\\Program Files\\Holvara.exe"}));

}  // namespace
}  // namespace holvara::framework
