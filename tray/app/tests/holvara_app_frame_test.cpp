// The running program's main window with the application behind it: the start-up chain from a
// missing service to the icon, a device that goes away, and the icon's mouse while a message box
// is on screen.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/text_field.h"
#include "platform/ports/ui_constants.h"
#include "tray/app/holvara_app.h"
#include "tray/app/tests/sim_tray_pc.h"
#include "tray/frame/busy_marker_names.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/system_messages.h"

namespace holvara {
namespace {

class AppFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { pc.files.SetWindowsDirectory("C:\\Windows"); }

  // From now on the service answers with the devices left, each a data disk.
  void StartService() {
    pc.ipc.AttachResponder(kPipeName, kFinishedEventName, [this](const ServiceRequest& request) {
      requests.push_back(request.command);
      if (request.command == kDEVICE_INFO) {
        DeviceRecord record{};
        record.present = 1;
        record.deviceNumber = static_cast<std::uint8_t>(request.index + 1);
        record.driveType = kDriveFixed;
        CopyToField(record.driveLetters, "E");
        CopyToField(record.friendlyName, "Backup Disk");
        CopyToField(record.deviceObjectName, "\\Device\\Scsi\\si3132Port0Path1Target0Lun0");
        const auto* raw = reinterpret_cast<const std::uint8_t*>(&record);
        return std::vector<std::uint8_t>(raw, raw + sizeof record);
      }
      const std::uint32_t value = request.command == kDEVICE_INIT ? devices : 1;
      std::vector<std::uint8_t> bytes(4);
      std::memcpy(bytes.data(), &value, 4);
      return bytes;
    });
  }
  void RunUntil(std::uint64_t timeMs) {
    pc.desktop.SetTimeLimit(timeMs);
    pc.desktop.RunMessageLoop();
  }
  const SimShownIcon* Icon(CHolvaraApp& app) { return pc.notificationArea.Find(app.mainWindowId(), kTrayIconId); }

  SimTrayPc pc;
  std::uint32_t devices = 1;
  std::vector<std::uint32_t> requests;
};

TEST_F(AppFrameTest, TheIconAppearsOnceTheServiceAnswersAndLeavesWithTheLastDevice) {
  CHolvaraApp app(pc.ports(), pc.client());
  ASSERT_TRUE(app.InitInstance());
  const WindowId main = app.mainWindowId();
  pc.desktop.At(9000, [this] { StartService(); });

  RunUntil(11000);
  // Waiting: the marker is set and, with "Show" set by the first start and no device, no icon.
  EXPECT_EQ(app.BusyMarker(), kWaitingForServiceMarker);
  EXPECT_EQ(Icon(app), nullptr);
  EXPECT_TRUE(requests.empty());

  // Each failed probe tries the pipe for a while; the third one finds it.
  RunUntil(16000);
  EXPECT_EQ(app.BusyMarker(), "");
  EXPECT_FALSE(app.DeviceListEmpty());
  ASSERT_NE(Icon(app), nullptr);
  EXPECT_EQ(Icon(app)->callbackMessage, kIconCallbackMessage);

  // The device goes; the system's notice leads to a refresh 1.6 s later, and the icon goes too.
  devices = 0;
  pc.desktop.At(20000, [&] { pc.desktop.Broadcast(win::kWmDeviceChange, win::kDbtDevNodesChanged, 0); });
  RunUntil(21599);
  EXPECT_NE(Icon(app), nullptr);
  RunUntil(21600);
  EXPECT_TRUE(app.DeviceListEmpty());
  EXPECT_EQ(Icon(app), nullptr);
  EXPECT_TRUE(pc.desktop.Exists(main));
}

TEST_F(AppFrameTest, TheIconIgnoresTheMouseWhileTheMessageBoxIsUp) {
  pc.registry.SetDword(RegistryRoot::kCurrentUser, kSimSettingsKey, "Show", 0);
  pc.registry.SetDword(RegistryRoot::kCurrentUser, kSimSettingsKey, "AutoRun", 1);
  StartService();
  CHolvaraApp app(pc.ports(), pc.client());
  ASSERT_TRUE(app.InitInstance());
  RunUntil(5000);
  ASSERT_NE(Icon(app), nullptr);

  // Control + double click ends the program, but not while the box is up.
  pc.keyboard.Press(kVkControl);
  std::intptr_t answer = -1;
  pc.desktop.AnswerNextMessageBox(win::kIdOk, [&] {
    answer = pc.desktop.Send(app.mainWindowId(), kIconCallbackMessage, kTrayIconId, win::kWmLButtonDblClk);
  });
  app.ShowMessage(5001, win::kMbOk);
  EXPECT_EQ(answer, 0);
  RunUntil(6000);
  EXPECT_NE(app.mainWindowId(), kNoWindow);

  ASSERT_TRUE(pc.notificationArea.Click(app.mainWindowId(), kTrayIconId, win::kWmLButtonDblClk));
  RunUntil(7000);
  EXPECT_EQ(app.mainWindowId(), kNoWindow);
  EXPECT_EQ(pc.notificationArea.icons().size(), 0u);
}

}  // namespace
}  // namespace holvara
