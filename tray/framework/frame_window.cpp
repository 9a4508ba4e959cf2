#include "tray/framework/frame_window.h"

#include "platform/ports/ui_constants.h"

namespace holvara::framework {

namespace {
// The frame adds the document's title to its own unless told otherwise, the document's first.
constexpr std::uint32_t kAddToTitle = 0x00008000;
constexpr std::uint32_t kPrefixTitle = 0x00004000;
constexpr std::uint32_t kExClientEdge = 0x00000200;
constexpr int kUseDefault = static_cast<int>(0x80000000);
}  // namespace

bool FrameWindow::LoadFrame(const std::string& title, ViewFactory viewFactory) {
  viewFactory_ = std::move(viewFactory);
  WindowCreation creation;
  creation.title = title;
  creation.style = win::kWsOverlappedWindow | kAddToTitle;
  creation.x = creation.y = creation.width = creation.height = kUseDefault;
  if (!PreCreateWindow(creation)) return false;
  return ui().Create(creation, *this) != kNoWindow;
}

void FrameWindow::ActivateFrame(int showCommand) { ui().Show(id(), showCommand == -1 ? win::kSwShow : showCommand); }

bool FrameWindow::PreCreateWindow(WindowCreation& creation) {
  if (creation.style & kAddToTitle) creation.style |= kPrefixTitle;
  creation.exStyle |= kExClientEdge;
  return true;
}

int FrameWindow::OnCreate() {
  if (!viewFactory_) return 0;
  view_ = viewFactory_(ui());
  WindowCreation creation;
  creation.style = win::kWsChild | win::kWsVisible;
  creation.parent = id();
  creation.menu = kFirstPaneId;
  if (!view_->PreCreateWindow(creation)) return -1;
  return ui().Create(creation, *view_) == kNoWindow ? -1 : 0;
}

std::intptr_t FrameWindow::WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case win::kWmCreate:
      if (Default(message, wParam, lParam) == -1) return -1;
      return OnCreate();
    case win::kWmClose:
      ui().Destroy(id());
      return 0;
    case win::kWmNcDestroy: {
      const std::intptr_t result = Default(message, wParam, lParam);
      if (isMainWindow_) ui().PostQuit(0);
      return result;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace holvara::framework
