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
  const char* name;
  const char* line;
  bool namesFile;
  const char* programPath = "";
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, OnlyAPlainArgumentNamesAFile) {
  EXPECT_EQ(CommandLineNamesFile(GetParam().line, GetParam().programPath), GetParam().namesFile) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(CommandLineCase{"QuotedProgram", "\"C:\\Program Files\\Holvara.exe\"", false},
                      CommandLineCase{"QuotedProgramAndSwitch", "\"C:\\Program Files\\Holvara.exe\" /AutoRun", false},
                      CommandLineCase{"EmbeddingSwitch", "C:\\Holvara.exe -Embedding", false},
                      CommandLineCase{"TrailingBlanks", "C:\\Holvara.exe   ", false},
                      CommandLineCase{"EmptyQuotes", "C:\\Holvara.exe \"\"", false},
                      CommandLineCase{"PlainArgument", "C:\\Holvara.exe notes.txt", true},
                      CommandLineCase{"SwitchAndQuotedFile", "C:\\Holvara.exe /AutoRun \"my notes.txt\"", true},
                      // A logon entry written unquoted, as the system hands it over.
                      CommandLineCase{"UnquotedEntryUnknownProgram", "C:\\Program Files\\Holvara.exe /AutoRun", true},
                      CommandLineCase{"UnquotedEntry", "C:\\Program Files\\Holvara.exe /AutoRun", false,
                                      "C:\\Program Files\\Holvara.exe"},
                      CommandLineCase{"UnquotedProgramInAnotherCase", "c:\\program files\\holvara.exe", false,
                                      "C:\\Program Files\\Holvara.exe"},
                      CommandLineCase{"UnquotedProgramAndFile", "C:\\Program Files\\Holvara.exe notes.txt", true,
                                      "C:\\Program Files\\Holvara.exe"},
                      CommandLineCase{"LongerProgramName", "C:\\Program Files\\Holvara.exeX /AutoRun", true,
                                      "C:\\Program Files\\Holvara.exe"},
                      CommandLineCase{"QuotedEntry", "\"C:\\Program Files\\Holvara.exe\" /AutoRun", false,
                                      "C:\\Program Files\\Holvara.exe"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace holvara::framework
