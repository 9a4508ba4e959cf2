// The main frame on the simulated desktop with a fake application: the host answers from plain
// fields and logs what the frame asked of it, with the virtual time; the frame's menus log that
// they were tracked.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_exit_request.h"
#include "platform/sim/sim_keyboard.h"
#include "platform/sim/sim_notification_area.h"
#include "platform/sim/sim_resources.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/tests/fake_menu_host.h"
#include "tray/resources/sim_libraries.h"

namespace holvara {

class FakeHost : public FrameHost {
 public:
  FakeHost(ResourceLibrary& library, SimClock& clock) : library_(library), clock_(clock) {}

  std::string_view BusyMarker() override { return marker; }
  ResourceLibrary& Resources() override { return library_; }
  bool MessageBoxOnScreen() override { return messageBoxOnScreen; }
  int ProfileInt(const char* name, int defaultValue) override {
    const std::string key = name;
    if (key == "Show") return show;
    if (key == "DebugFlag") return debugFlag;
    if (key == "ResumeRescan") return resumeRescan;
    return defaultValue;
  }
  bool DeviceListEmpty() override { return deviceCount == 0; }
  int RefreshDevices() override {
    Log("refresh");
    if (duringRefresh) duringRefresh();
    return 1;
  }
  bool ServiceReachable() override {
    Log("probe");
    return serviceReachable;
  }
  void RescanSequence() override { Log("rescan"); }
  int RemoveDeviceSequence() override {
    Log("remove-device");
    return 1;
  }
  void Sleep(std::uint32_t ms) override {
    Log("sleep " + std::to_string(ms));
    clock_.SleepMs(ms);
  }

  MenuHost& MenuCommands() override { return *menuCommands; }

  void Log(const std::string& what) { log.push_back(what + "@" + std::to_string(clock_.NowMs())); }

  std::string marker;
  bool messageBoxOnScreen = false;
  int show = 0;
  int debugFlag = 0;
  int resumeRescan = 0;
  int deviceCount = 0;
  bool serviceReachable = true;
  std::function<void()> duringRefresh;
  std::vector<std::string> log;
  MenuHost* menuCommands = nullptr;

 private:
  ResourceLibrary& library_;
  SimClock& clock_;
};

// Logs each menu the frame tracks, and each WM_NULL it gets, in the host's log.
class TestFrame : public CMainFrame {
 public:
  TestFrame(Ui& ui, const FramePorts& ports, FakeHost& host) : CMainFrame(ui, ports, host), host_(host) {}

 protected:
  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
    if (message == win::kWmNull) host_.Log("null");
    return CMainFrame::WindowProc(message, wParam, lParam);
  }
  void TrackDeviceMenu(ScreenPoint) override { host_.Log("device-menu"); }
  void TrackCommandMenu() override { host_.Log("command-menu"); }
  void TrackServiceWaitMenu() override { host_.Log("service-wait-menu"); }

 private:
  FakeHost& host_;
};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loader.Install(EnglishResourceLibrary());
    library = loader.Load("HolvaraResUS.dll");
    host = std::make_unique<FakeHost>(*library, clock);
    host->menuCommands = &menuHost;
    frame = std::make_unique<TestFrame>(desktop, FramePorts{area, keyboard, debug, exitRequest}, *host);
    frame->SetMainWindow(true);
    ASSERT_TRUE(frame->LoadFrame("Holvara", nullptr));
    frame->ActivateFrame(-1);
  }

  // Runs the desktop until virtual time reaches timeMs.
  void RunUntil(std::uint64_t timeMs) {
    desktop.SetTimeLimit(timeMs);
    desktop.RunMessageLoop();
  }
  const SimShownIcon* Icon() const { return area.Find(frame->id(), kTrayIconId); }

  SimClock clock;
  SimDesktop desktop{clock};
  SimNotificationArea area{desktop, clock};
  SimKeyboard keyboard;
  SimExitRequest exitRequest;
  RecordingDebugOutput debug;
  SimScreen screen{desktop};
  FakeMenuHost menuHost{screen.ports()};
  SimResourceLoader loader;
  std::unique_ptr<ResourceLibrary> library;
  std::unique_ptr<FakeHost> host;
  std::unique_ptr<TestFrame> frame;
};

}  // namespace holvara
