// The view: a child window filling its frame.
#pragma once

#include "platform/ports/program_windows.h"
#include "tray/framework/window.h"

namespace holvara::framework {

class View : public Window {
 public:
  using Window::Window;
  // Adjusts the view's creation parameters; false stops the creation.
  virtual bool PreCreateWindow(WindowCreation& creation);
};

}  // namespace holvara::framework
