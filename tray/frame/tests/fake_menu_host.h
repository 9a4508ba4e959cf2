// An application that answers the menus from plain fields and logs the sequences their commands
// run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/sim_screen.h"
#include "tray/frame/menu_host.h"

namespace holvara {

class FakeMenuHost : public MenuHost {
 public:
  explicit FakeMenuHost(const ScreenPorts& screen) : screen_(screen) {}
  std::vector<DeviceMenuEntry> CopyDeviceListForMenu() override { return list; }
  void RemoveCopiedEntry(std::size_t index) override {
    calls.push_back("remove " + std::to_string(index));
    if (duringRemoval) duringRemoval();
  }
  int RemoveDeviceSequence() override {
    calls.push_back("remove-device dialog");
    return 1;
  }
  void SettingsSequence() override { calls.push_back("settings"); }
  void OpenHelp() override { calls.push_back("help"); }
  void VersionSequence() override { calls.push_back("version"); }
  bool JapaneseLocale() override { return japanese; }
  WindowsVersion SystemVersion() override { return version; }
  const ScreenPorts& Screen() override { return screen_; }

  std::vector<DeviceMenuEntry> list;
  bool japanese = false;
  WindowsVersion version{10, 0};
  std::vector<std::string> calls;
  std::function<void()> duringRemoval;

 private:
  ScreenPorts screen_;
};

}  // namespace holvara
