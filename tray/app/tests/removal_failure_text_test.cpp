#include "tray/app/removal_failure_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace holvara {
namespace {

constexpr std::uint32_t kWestern = 1252;
constexpr std::uint32_t kJapanese = 932;

// "表" in code page 932 is 95 5C: its second byte is a backslash.
constexpr char kTable[] = "\x95\x5C";

TEST(RemovalFailureText, FileNamesAndCutsKeepDoubleByteCharactersWhole) {
  const std::string path = std::string("C:\\Tools\\") + kTable + ".exe";
  EXPECT_EQ(FileNameOf(path, kJapanese), std::string(kTable) + ".exe");
  EXPECT_EQ(FileNameOf(path, kWestern), ".exe");
  EXPECT_EQ(FileNameOf("\\Device\\HarddiskVolume9\\a.exe", kWestern), "a.exe");
  EXPECT_EQ(FileNameOf("plain.exe", kWestern), "plain.exe");

  const std::string twoTables = std::string(kTable) + kTable;
  EXPECT_EQ(CutOnCharacters(twoTables, 3, kJapanese), kTable);
  EXPECT_EQ(CutOnCharacters(twoTables, 3, kWestern), twoTables.substr(0, 3));
  EXPECT_EQ(CutOnCharacters("abc", 10, kJapanese), "abc");
  // A lead byte at the very end of a text from the pipe stands alone.
  EXPECT_EQ(CutOnCharacters("ab\x95", 3, kJapanese), "ab\x95");
}

// Strings with marks the way a careless translation might have them: more marks than arguments.
std::string Strings(std::uint32_t id) {
  switch (id) {
    case kProgramsHoldString:
      return "Close %s and try again %s.";
    case kProgramString:
      return "%s (%u)";
    case kProgramSeparatorString:
      return ", ";
    case kMoreProgramsString:
      return "more";
    default:
      return "by %s";
  }
}

TEST(RemovalFailureText, LongNamesAreCutAndSurplusMarksStay) {
  RemovalReport report{};
  report.vetoed = 1;
  report.vetoType = kVetoWindowsApp;
  report.programCount = kMaxBlockingPrograms;
  report.programsCut = 1;
  for (std::size_t i = 0; i < kMaxBlockingPrograms; ++i) {
    report.programs[i].processId = static_cast<std::uint32_t>(i + 1);
    std::string path = "C:\\" + std::string(200, static_cast<char>('a' + i));
    std::memcpy(report.programs[i].imagePath, path.c_str(), path.size() + 1);
  }
  const std::string text = RemovalFailureText(report, Strings, kWestern);
  EXPECT_EQ(text, "Close " + std::string(kQuotedNameLimit, 'a') + " (1), " + std::string(kQuotedNameLimit, 'b') +
                      " (2), " + std::string(kQuotedNameLimit, 'c') + " (3), " + std::string(kQuotedNameLimit, 'd') +
                      " (4), more and try again %s.");

  report.vetoType = kVetoDriver;
  report.vetoName[0] = '\0';
  EXPECT_EQ(RemovalFailureText(report, Strings, kWestern), "") << "a driver without a name";
  report.vetoType = kVetoInsufficientPower;
  EXPECT_EQ(RemovalFailureText(report, Strings, kWestern), "") << "a veto the user cannot act on";
}

}  // namespace
}  // namespace holvara
