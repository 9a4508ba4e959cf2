// The frame window: a top-level window that creates its view while it is being created, shows
// itself through ActivateFrame, and ends the message loop when it is the application's main window
// and goes away.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/ports/ui.h"
#include "tray/framework/view.h"
#include "tray/framework/window.h"

namespace holvara::framework {

class FrameWindow : public Window {
 public:
  using ViewFactory = std::function<std::unique_ptr<View>(Ui&)>;

  using Window::Window;

  // Creates the window with the frame's default style and the given title; the view factory
  // makes the view while the frame handles WM_CREATE. False when the window was not made.
  bool LoadFrame(const std::string& title, ViewFactory viewFactory);
  // Shows the frame; -1 stands for the usual show command.
  virtual void ActivateFrame(int showCommand);

  void SetMainWindow(bool isMain) { isMainWindow_ = isMain; }
  View* view() const { return view_.get(); }

 protected:
  // The frame's own adjustments: the document's name before the frame's in the title, and a
  // sunken client edge.
  virtual bool PreCreateWindow(WindowCreation& creation);
  // WM_CREATE: creates the view; -1 stops the window's creation.
  virtual int OnCreate();

  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  static constexpr int kFirstPaneId = 0xE900;

  ViewFactory viewFactory_;
  std::unique_ptr<View> view_;
  bool isMainWindow_ = false;
};

}  // namespace holvara::framework
