// The tray program's main window: a frame that is never shown, titled "Holvara", which a second
// start of the program finds and signals with the registered message "HOLVARA".
#pragma once

#include <cstdint>
#include <memory>

#include "platform/ports/resources.h"
#include "tray/frame/frame_host.h"
#include "tray/framework/frame_window.h"

namespace holvara {

inline constexpr char kRegisteredMessageName[] = "HOLVARA";
inline constexpr std::uintptr_t kHolvaraClose = 0;
inline constexpr std::uintptr_t kHolvaraBringForward = 1;
inline constexpr std::uint32_t kTrayIconResource = 128;

class CMainFrame : public framework::FrameWindow {
 public:
  CMainFrame(Ui& ui, FrameHost& host);

  // Whatever the framework asks for, the main window stays hidden.
  void ActivateFrame(int showCommand) override;

  // The 16 by 16 notification icon image, 0 when the library has none.
  std::uintptr_t trayIconImage() const { return trayIcon_ ? trayIcon_->Handle() : 0; }

 protected:
  bool PreCreateWindow(WindowCreation& creation) override;
  int OnCreate() override;
  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  void OnRegisteredMessage(std::uintptr_t request);
  // Raises the main window and with it the dialogs it owns above the other windows.
  void BringToFront();

  FrameHost& host_;
  std::uint32_t registeredMessage_;
  std::unique_ptr<ResourceImage> trayIcon_;
};

}  // namespace holvara
