// The shell's notification area as the tray program uses it: one icon per window and number,
// added, changed and deleted, and a balloon shown above it. The shell may be too busy to answer
// (ERROR_TIMEOUT), which callers retry, so every call reports the system's error code.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ports/program_windows.h"

namespace holvara {

// Which parts of an icon record a call sets (NIF_*).
inline constexpr std::uint32_t kNifMessage = 0x01;
inline constexpr std::uint32_t kNifIcon = 0x02;
inline constexpr std::uint32_t kNifTip = 0x04;
inline constexpr std::uint32_t kNifInfo = 0x10;

// Balloon icons (NIIF_*).
inline constexpr std::uint32_t kNiifNone = 0x0;
inline constexpr std::uint32_t kNiifInfo = 0x1;
inline constexpr std::uint32_t kNiifWarning = 0x2;
inline constexpr std::uint32_t kNiifError = 0x3;

// The message the shell broadcasts to every top-level window when it starts again (after a crash
// of the shell, for instance): the icons it showed are gone and must be added again.
inline constexpr char kTaskbarCreatedMessage[] = "TaskbarCreated";

// The shell did not answer in time; the same call may succeed when made again.
inline constexpr std::uint32_t kErrorTimeout = 1460;

// The system's record of one icon. Texts longer than the record's fields are cut by the adapter
// (tip 127, balloon text 255, balloon title 63 bytes, each with its terminator).
struct NotificationIcon {
  WindowId window = kNoWindow;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  std::uintptr_t image = 0;
  std::string tip;
  std::string balloonText;
  std::string balloonTitle;
  std::uint32_t balloonTimeoutMs = 0;
  std::uint32_t balloonFlags = 0;
};

struct NotifyResult {
  bool done = false;
  std::uint32_t error = 0;  // GetLastError after a failed call; may be 0
};

class NotificationArea {
 public:
  virtual ~NotificationArea() = default;
  // NIM_ADD: fails for an icon of the same window and number that is already shown.
  virtual NotifyResult Add(const NotificationIcon& icon) = 0;
  // NIM_MODIFY: the parts named by the record's flags; with kNifInfo it shows the balloon.
  virtual NotifyResult Modify(const NotificationIcon& icon) = 0;
  // NIM_DELETE.
  virtual NotifyResult Delete(const NotificationIcon& icon) = 0;
};

}  // namespace holvara
