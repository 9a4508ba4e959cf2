#include "platform/win32/win32_threads.h"

#include <windows.h>
#include <process.h>

#include "platform/win32/win32_handle.h"

namespace holvara {

namespace {

class Win32Thread final : public Thread {
 public:
  explicit Win32Thread(HANDLE handle) : handle_(handle) {}
  bool Wait(std::uint32_t timeoutMs) override {
    return WaitForSingleObject(handle_.get(), timeoutMs) == WAIT_OBJECT_0;
  }
  std::uint32_t ExitCode() override {
    DWORD code = kThreadStillActive;
    GetExitCodeThread(handle_.get(), &code);
    return code;
  }
  bool Resume() override { return ResumeThread(handle_.get()) != static_cast<DWORD>(-1); }

 private:
  Win32Handle handle_;
};

unsigned __stdcall RunBody(void* argument) {
  const std::unique_ptr<std::function<std::uint32_t()>> body(
      static_cast<std::function<std::uint32_t()>*>(argument));
  return (*body)();
}

}  // namespace

std::unique_ptr<Thread> Win32Threads::Start(std::function<std::uint32_t()> body) {
  return Begin(std::move(body), 0);
}

std::unique_ptr<Thread> Win32Threads::StartSuspended(std::function<std::uint32_t()> body) {
  return Begin(std::move(body), CREATE_SUSPENDED);
}

std::unique_ptr<Thread> Win32Threads::Begin(std::function<std::uint32_t()> body, unsigned flags) {
  auto owned = std::make_unique<std::function<std::uint32_t()>>(std::move(body));
  const auto handle = _beginthreadex(nullptr, 0, RunBody, owned.get(), flags, nullptr);
  if (handle == 0) return nullptr;
  owned.release();
  return std::make_unique<Win32Thread>(reinterpret_cast<HANDLE>(handle));
}

}  // namespace holvara
