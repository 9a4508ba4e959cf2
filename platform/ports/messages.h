// Posted and sent messages, the thread's message loop, and the pieces of a modal loop of one's own.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ports/program_windows.h"

namespace holvara {

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

class Messages {
 public:
  virtual ~Messages() = default;

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
};

}  // namespace holvara
