// The window system as the tray program uses it: windows and their properties, posted and sent
// messages, timers, message boxes, modal dialogs built from a numbered template, and the controls
// of a dialog addressed by number, and the pieces of a modal loop of one's own. Numbers (messages, styles, results) are
// the system's own; see ui_constants.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace holvara {

using WindowId = std::uintptr_t;  // 0: no window
using ModuleId = std::uintptr_t;  // a loaded library that holds dialog templates
inline constexpr WindowId kNoWindow = 0;
// The class of every window that Ui::Create makes (dialogs have the system's dialog class): what
// tells the program's main window from another program's window of the same title.
inline constexpr char kWindowClassName[] = "HolvaraWindow";

struct WindowCreation {
  std::string title;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  WindowId parent = kNoWindow;
  std::uintptr_t menu = 0;  // a menu handle, or a child window's number
};

// A message taken from the thread's queue (timer messages included).
struct Message {
  WindowId window = kNoWindow;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

enum class MessageWait {
  kMessage,  // a message to handle
  kQuit,     // WM_QUIT was taken; its exit code is the message's wParam
  kGaveUp,   // nothing will ever come (only a simulated desktop knows this)
};

// Receives every message of one window, from its creation to WM_NCDESTROY. For a dialog the
// result follows the dialog-procedure rule: 0 lets the system's dialog handling run.
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  virtual std::intptr_t HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // Windows. Create returns kNoWindow when the window could not be made (for instance when the
  // handler answered WM_CREATE with -1).
  virtual WindowId Create(const WindowCreation& creation, WindowHandler& handler) = 0;
  // The system's own handling of a message of a window that is not a dialog.
  virtual std::intptr_t DefaultProcessing(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) = 0;
  virtual void Destroy(WindowId window) = 0;
  virtual void SetTitle(WindowId window, std::string_view title) = 0;
  virtual std::string Title(WindowId window) = 0;
  virtual void Show(WindowId window, int command) = 0;
  virtual bool IsVisible(WindowId window) = 0;
  virtual bool IsEnabled(WindowId window) = 0;
  virtual void Enable(WindowId window, bool enable) = 0;
  // The window's most recently active owned popup, or the window itself when it has none.
  virtual WindowId LastActivePopup(WindowId window) = 0;
  virtual void SetPosition(WindowId window, WindowId insertAfter, int x, int y, int width, int height,
                           std::uint32_t flags) = 0;

  // Window properties (SetPropA/GetPropA/RemovePropA); an absent property reads as 0.
  virtual bool SetProperty(WindowId window, std::string_view name, std::uintptr_t value) = 0;
  virtual std::uintptr_t Property(WindowId window, std::string_view name) = 0;
  virtual void RemoveProperty(WindowId window, std::string_view name) = 0;

  // Messages.
  virtual bool Post(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  virtual std::intptr_t Send(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // The same number for the same name in every process of the desktop.
  virtual std::uint32_t RegisterMessage(std::string_view name) = 0;
  virtual void PostQuit(int exitCode) = 0;
  // Dispatches the thread's messages until WM_QUIT and returns its exit code.
  virtual int RunMessageLoop() = 0;
  // The pieces of a loop of one's own: wait for the next message, let a dialog's keyboard
  // handling have it (true when it did), or translate and dispatch it.
  virtual MessageWait NextMessage(Message& message) = 0;
  virtual bool RouteToDialog(WindowId dialog, const Message& message) = 0;
  virtual void Dispatch(const Message& message) = 0;

  // Timers: WM_TIMER with the timer's id every interval until it is stopped. Starting a running
  // timer again restarts it with the new interval.
  virtual void StartTimer(WindowId window, std::uintptr_t id, std::uint32_t intervalMs) = 0;
  virtual void StopTimer(WindowId window, std::uintptr_t id) = 0;

  // A message box; returns the button the user chose.
  virtual int ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption, std::uint32_t style) = 0;

  // Makes a dialog of the module's template, owned by owner, and initialises it (WM_INITDIALOG);
  // it stays hidden whatever the template says until it is shown. kNoWindow when it could not
  // be made. Whoever runs it modally disables the owner and runs a loop of its own.
  virtual WindowId CreateModelessDialog(ModuleId module, int templateId, WindowId owner, WindowHandler& handler) = 0;

  // Controls of a dialog, by number.
  virtual WindowId DialogItem(WindowId dialog, int id) = 0;
  virtual void SetItemText(WindowId dialog, int id, std::string_view text) = 0;
  virtual std::string ItemText(WindowId dialog, int id) = 0;
  virtual void EnableItem(WindowId dialog, int id, bool enable) = 0;
  virtual void ShowItem(WindowId dialog, int id, bool show) = 0;
  virtual void SetItemCheck(WindowId dialog, int id, int state) = 0;
  virtual int ItemCheck(WindowId dialog, int id) = 0;

  virtual void InitCommonControls() = 0;
};

}  // namespace holvara
