// The window system over USER32: one window class whose procedure hands every message to the
// window's handler, and dialogs from a module's templates.
#pragma once

#include <windows.h>

#include "platform/ports/ui.h"

namespace holvara {

class Win32Ui final : public Ui {
 public:
  explicit Win32Ui(HINSTANCE instance);

  WindowId Create(const WindowCreation& creation, WindowHandler& handler) override;
  std::intptr_t DefaultProcessing(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
  void Destroy(WindowId window) override;
  void SetTitle(WindowId window, std::string_view title) override;
  std::string Title(WindowId window) override;
  void Show(WindowId window, int command) override;
  bool IsVisible(WindowId window) override;
  bool IsEnabled(WindowId window) override;
  void Enable(WindowId window, bool enable) override;
  WindowId LastActivePopup(WindowId window) override;
  void SetPosition(WindowId window, WindowId insertAfter, int x, int y, int width, int height,
                   std::uint32_t flags) override;
  bool SetProperty(WindowId window, std::string_view name, std::uintptr_t value) override;
  std::uintptr_t Property(WindowId window, std::string_view name) override;
  void RemoveProperty(WindowId window, std::string_view name) override;
  bool Post(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::intptr_t Send(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::uint32_t RegisterMessage(std::string_view name) override;
  void PostQuit(int exitCode) override;
  int RunMessageLoop() override;
  MessageWait NextMessage(Message& message) override;
  bool RouteToDialog(WindowId dialog, const Message& message) override;
  void Dispatch(const Message& message) override;
  void StartTimer(WindowId window, std::uintptr_t id, std::uint32_t intervalMs) override;
  void StopTimer(WindowId window, std::uintptr_t id) override;
  int ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption, std::uint32_t style) override;
  WindowId CreateModelessDialog(ModuleId module, int templateId, WindowId owner, WindowHandler& handler) override;
  WindowId DialogItem(WindowId dialog, int id) override;
  void SetItemText(WindowId dialog, int id, std::string_view text) override;
  std::string ItemText(WindowId dialog, int id) override;
  void EnableItem(WindowId dialog, int id, bool enable) override;
  void ShowItem(WindowId dialog, int id, bool show) override;
  void SetItemCheck(WindowId dialog, int id, int state) override;
  int ItemCheck(WindowId dialog, int id) override;
  void InitCommonControls() override;

 private:
  HINSTANCE instance_;
};

}  // namespace holvara
