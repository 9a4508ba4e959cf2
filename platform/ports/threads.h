// Worker threads that end with a u32 exit code, as the service's request workers and the tray's
// removal and rescan workers use them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace holvara {

// The exit code of a thread that has not ended yet (STILL_ACTIVE).
inline constexpr std::uint32_t kThreadStillActive = 259;

class Thread {
 public:
  // Releases the handle; the thread itself runs on. A thread made by StartSuspended and never
  // resumed (its Resume failed, or it was not called) is ended, and its body freed, with it.
  virtual ~Thread() = default;
  // True when the thread has ended within timeoutMs (kWaitForever from ipc.h: no limit).
  virtual bool Wait(std::uint32_t timeoutMs) = 0;
  // The body's result once the thread has ended, kThreadStillActive before (also while it has
  // not been resumed yet).
  virtual std::uint32_t ExitCode() = 0;
  // Lets a thread made by StartSuspended run; false when it could not be resumed.
  virtual bool Resume() = 0;
};

class Threads {
 public:
  virtual ~Threads() = default;
  // Starts a thread running body; null when no thread could be started.
  virtual std::unique_ptr<Thread> Start(std::function<std::uint32_t()> body) = 0;
  // The same, but the body runs only once the thread is resumed; the owner keeps the thread object
  // after the body has ended and reads its exit code.
  virtual std::unique_ptr<Thread> StartSuspended(std::function<std::uint32_t()> body) = 0;
};

}  // namespace holvara
