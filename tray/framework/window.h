// A window object bound to one system window: it receives that window's messages through
// WindowProc and hands what it does not handle to the system's default processing.
#pragma once

#include <cstdint>

#include "platform/ports/ui.h"

namespace holvara::framework {

class Window : public WindowHandler {
 public:
  explicit Window(Ui& ui) : ui_(ui) {}
  // A window still alive when its object goes is destroyed with it.
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  WindowId id() const { return id_; }
  Ui& ui() const { return ui_; }

  std::intptr_t HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) final;

 protected:
  virtual std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  virtual std::intptr_t Default(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

 private:
  Ui& ui_;
  WindowId id_ = kNoWindow;
};

}  // namespace holvara::framework
