#include "platform/win32/win32_threads.h"

#include <windows.h>
#include <process.h>

#include "platform/win32/win32_handle.h"

namespace holvara {

namespace {

using Body = std::function<std::uint32_t()>;

// The body belongs to the thread once it runs; until then (made suspended) to this object, which
// ends a thread that was never resumed and frees the body with it.
class Win32Thread final : public Thread {
 public:
  Win32Thread(HANDLE handle, std::unique_ptr<Body> unstartedBody)
      : handle_(handle), unstartedBody_(std::move(unstartedBody)) {}
  ~Win32Thread() override {
    if (!unstartedBody_) return;
    // The thread has run no code of its own yet, so ending it cuts nothing short.
    TerminateThread(handle_.get(), kThreadNeverResumed);
    WaitForSingleObject(handle_.get(), INFINITE);
  }
  bool Wait(std::uint32_t timeoutMs) override { return WaitForSingleObject(handle_.get(), timeoutMs) == WAIT_OBJECT_0; }
  std::uint32_t ExitCode() override {
    DWORD code = kThreadStillActive;
    GetExitCodeThread(handle_.get(), &code);
    return code;
  }
  bool Resume() override {
    if (ResumeThread(handle_.get()) == static_cast<DWORD>(-1)) return false;
    static_cast<void>(unstartedBody_.release());  // RunBody owns and frees it now
    return true;
  }

 private:
  static constexpr DWORD kThreadNeverResumed = 1;
  Win32Handle handle_;
  std::unique_ptr<Body> unstartedBody_;
};

unsigned __stdcall RunBody(void* argument) {
  const std::unique_ptr<Body> body(static_cast<Body*>(argument));
  return (*body)();
}

}  // namespace

std::unique_ptr<Thread> Win32Threads::Start(std::function<std::uint32_t()> body) { return Begin(std::move(body), 0); }

std::unique_ptr<Thread> Win32Threads::StartSuspended(std::function<std::uint32_t()> body) {
  return Begin(std::move(body), CREATE_SUSPENDED);
}

std::unique_ptr<Thread> Win32Threads::Begin(std::function<std::uint32_t()> body, unsigned flags) {
  auto owned = std::make_unique<Body>(std::move(body));
  const auto handle = _beginthreadex(nullptr, 0, RunBody, owned.get(), flags, nullptr);
  if (handle == 0) return nullptr;
  const HANDLE thread = reinterpret_cast<HANDLE>(handle);
  if (flags & CREATE_SUSPENDED) return std::make_unique<Win32Thread>(thread, std::move(owned));
  static_cast<void>(owned.release());  // RunBody owns and frees it
  return std::make_unique<Win32Thread>(thread, nullptr);
}

}  // namespace holvara
