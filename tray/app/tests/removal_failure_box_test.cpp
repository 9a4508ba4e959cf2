// A removal chosen in the device menu that the system refuses, on the whole simulated system with
// the devices of in-use.json: the failure box says which programs to close, or which driver
// refused, in the language of the resource library; without a reason it is the usual box.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "platform/ports/ui_constants.h"
#include "tray/app/tests/sim_whole_pc.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/system_messages.h"

namespace holvara {
namespace {

// The menu's commands for the enclosure's members with E: and F: and for the single disk with H:.
constexpr std::uint32_t kHeldByOne = 1002;
constexpr std::uint32_t kHeldByTwo = 1003;
constexpr std::uint32_t kDriverVeto = 1005;

// What the Japanese library holds: the text in code page 932.
std::string InCodePage932(const std::string& utf8) {
  iconv_t convert = iconv_open("CP932", "UTF-8");
  std::string in = utf8;
  std::string out(utf8.size() * 2, '\0');
  char* from = in.data();
  char* to = out.data();
  std::size_t fromLeft = in.size();
  std::size_t toLeft = out.size();
  iconv(convert, &from, &fromLeft, &to, &toLeft);
  iconv_close(convert);
  out.resize(out.size() - toLeft);
  return out;
}

struct BoxCase {
  const char* name;
  bool japanese;
  std::uint32_t command;
  bool eventLogReadable;
  std::string text;  // UTF-8; empty: string 5001 of the library
};

std::string BoxAfterChoosing(const BoxCase& c) {
  SimWholePc system("in-use");
  if (c.japanese) {
    system.system.locale = kSimJapaneseLocale;
    system.system.codePage = kSimJapaneseCodePage;
  }
  system.pc.machine().eventLogReadable = c.eventLogReadable;
  system.StartAll();
  auto* frame = dynamic_cast<CMainFrame*>(system.app->mainWindow());
  EXPECT_NE(frame, nullptr);
  if (frame == nullptr) return {};
  frame->UpdateIcon();
  system.screen.menus.OnNextTrack([&](const SimTrackedMenu&) { return c.command; });
  EXPECT_TRUE(system.notificationArea.Click(frame->id(), kTrayIconId, win::kWmLButtonDown));
  system.desktop.SetTimeLimit(system.kernel.NowMs() + 10000);
  system.desktop.RunMessageLoop();
  const auto& boxes = system.desktop.messageBoxes();
  EXPECT_EQ(boxes.size(), 1u);
  if (boxes.empty()) return {};
  EXPECT_EQ(boxes.back().style & win::kMbIconMask, win::kMbIconHand);
  EXPECT_EQ(boxes.back().caption, "ZELTO Dock Warden");
  return boxes.back().text;
}

TEST(RemovalFailureBox, NamesWhatHoldsTheDeviceInBothLanguages) {
  const BoxCase cases[] = {
      {"one program", false, kHeldByOne, true,
       "The device is in use and could not be removed.\n\nClose FanControl.exe (process 16148) and try again."},
      {"two programs", false, kHeldByTwo, true,
       "The device is in use and could not be removed.\n\nClose dllhost.exe (process 9176), PhotoSorter.exe (process "
       "5120) and try again."},
      {"a driver", false, kDriverVeto, true,
       "The device could not be removed: the driver \\Driver\\snapfilt refused its removal."},
      {"no program known", false, kHeldByOne, false, ""},
      {"one program, Japanese", true, kHeldByOne, true,
       "デバイスは使用中のため取り外せませんでした。\n\nFanControl.exe (プロセス 16148) を閉じてから、もう一度お試しください。"},
      {"two programs, Japanese", true, kHeldByTwo, true,
       "デバイスは使用中のため取り外せませんでした。\n\ndllhost.exe (プロセス 9176)、PhotoSorter.exe (プロセス 5120) "
       "を閉じてから、もう一度お試しください。"},
      {"a driver, Japanese", true, kDriverVeto, true,
       "ドライバー \\Driver\\snapfilt が取り外しを拒否したため、デバイスを取り外せませんでした。"},
      {"no program known, Japanese", true, kHeldByOne, false, ""},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SimResourceData& library = c.japanese ? JapaneseResourceLibrary() : EnglishResourceLibrary();
    const std::string expected = c.text.empty() ? library.strings.at(5001)
                                 : c.japanese   ? InCodePage932(c.text)
                                                : c.text;
    EXPECT_EQ(BoxAfterChoosing(c), expected);
  }
}

}  // namespace
}  // namespace holvara
