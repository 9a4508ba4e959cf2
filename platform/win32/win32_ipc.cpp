#include "platform/win32/win32_ipc.h"

#include <windows.h>
#include <aclapi.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_handle.h"

namespace holvara {

namespace {

constexpr DWORD kPipeBufferSize = 256;
constexpr DWORD kPipeDefaultTimeoutMs = 1000;

class Win32Event final : public Event {
 public:
  // `setOnlyHere`: an unnamed manual-reset event, which only Set below can signal and nothing
  // resets. Once it is set, or when the wait must not block, the answer is whether Set has run,
  // without asking the kernel: the service looks at its stop event like that after every
  // exchange, and under Wine each wait is a round trip to the server.
  Win32Event(HANDLE handle, bool setOnlyHere) : handle_(handle), setOnlyHere_(setOnlyHere) {}
  void Set() override {
    setHere_.store(true);
    SetEvent(handle_.get());
  }
  bool Wait(std::uint32_t timeoutMs) override {
    if (setOnlyHere_ && (setHere_.load() || timeoutMs == 0)) return setHere_.load();
    return WaitForSingleObject(handle_.get(), timeoutMs) == WAIT_OBJECT_0;
  }
  HANDLE handle() const { return handle_.get(); }

 private:
  Win32Handle handle_;
  const bool setOnlyHere_;
  std::atomic<bool> setHere_{false};
};

std::unique_ptr<Event> EventOrNull(HANDLE handle, bool setOnlyHere = false) {
  if (!handle) return nullptr;
  return std::make_unique<Win32Event>(handle, setOnlyHere);
}

HANDLE HandleOf(Event& event) { return static_cast<Win32Event&>(event).handle(); }

class Win32ClientPipe final : public ClientPipe {
 public:
  explicit Win32ClientPipe(HANDLE handle) : handle_(handle) {}

  bool Write(std::span<const std::byte> bytes) override {
    DWORD written = 0;
    return WriteFile(handle_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0;
  }
  void Flush() override { FlushFileBuffers(handle_.get()); }
  std::size_t Read(std::span<std::byte> buffer) override {
    DWORD read = 0;
    if (!ReadFile(handle_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
      return 0;
    }
    return read;
  }
  bool ServerAlive() override { return PeekNamedPipe(handle_.get(), nullptr, 0, nullptr, nullptr, nullptr) != 0; }

 private:
  Win32Handle handle_;
};

class Win32ServerPipe final : public ServerPipe {
 public:
  Win32ServerPipe(Win32Handle pipe, Win32Handle connectEvent, Win32Handle ioEvent)
      : pipe_(std::move(pipe)), connectEvent_(std::move(connectEvent)), ioEvent_(std::move(ioEvent)) {}

  ClientWait WaitForClient(Event& stop) override {
    OVERLAPPED overlapped{};
    overlapped.hEvent = connectEvent_.get();
    if (ConnectNamedPipe(pipe_.get(), &overlapped)) return {ClientWaitOutcome::kConnected};
    switch (const DWORD error = GetLastError()) {
      case ERROR_PIPE_CONNECTED:  // connected before the call
      case ERROR_NO_DATA:         // connected and already closed before the call
        return {ClientWaitOutcome::kConnected};
      case ERROR_IO_PENDING:
        break;
      default:
        return {ClientWaitOutcome::kFailed, error};
    }
    const HANDLE handles[] = {connectEvent_.get(), HandleOf(stop)};
    const DWORD which = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    const DWORD waitError = which == WAIT_FAILED ? GetLastError() : ERROR_SUCCESS;
    if (which != WAIT_OBJECT_0) CancelIoEx(pipe_.get(), &overlapped);
    DWORD unused = 0;
    if (GetOverlappedResult(pipe_.get(), &overlapped, &unused, TRUE)) {
      return {ClientWaitOutcome::kConnected};
    }
    const DWORD error = GetLastError();
    if (which == WAIT_OBJECT_0 + 1) return {ClientWaitOutcome::kStopped};
    return {ClientWaitOutcome::kFailed, which == WAIT_FAILED ? waitError : error};
  }

  std::size_t Read(std::span<std::byte> buffer, std::uint32_t timeoutMs, Event& stop) override {
    OVERLAPPED overlapped = Overlapped();
    const BOOL started = ReadFile(pipe_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, &overlapped);
    return Complete(overlapped, started, timeoutMs, &stop);
  }

  bool Write(std::span<const std::byte> bytes, std::uint32_t timeoutMs) override {
    OVERLAPPED overlapped = Overlapped();
    const BOOL started = WriteFile(pipe_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &overlapped);
    return Complete(overlapped, started, timeoutMs, nullptr) == bytes.size();
  }

  void AwaitClientClose(std::uint32_t timeoutMs, Event& stop) override {
    // A read ends with 0 when the client closes its end (ERROR_BROKEN_PIPE), at the time-out or
    // at the stop; bytes the client wrote beyond its request are read and dropped on the way.
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    std::byte scratch[64];
    for (;;) {
      const ULONGLONG now = GetTickCount64();
      const DWORD remaining = timeoutMs == kWaitForever ? INFINITE
                              : now >= deadline         ? 0
                                                        : static_cast<DWORD>(deadline - now);
      if (Read(scratch, remaining, stop) == 0 || remaining == 0) return;
    }
  }

  void Disconnect() override { DisconnectNamedPipe(pipe_.get()); }

 private:
  OVERLAPPED Overlapped() {
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioEvent_.get();
    return overlapped;
  }

  // Waits for an overlapped transfer, cancelling it on time-out or, when given, the stop event;
  // the bytes moved.
  std::size_t Complete(OVERLAPPED& overlapped, BOOL started, DWORD timeoutMs, Event* stop) {
    if (!started && GetLastError() != ERROR_IO_PENDING) return 0;
    // A transfer that completed at once needs no wait; every wait costs a round trip to the
    // kernel, which under Wine is most of an exchange's own time.
    const HANDLE handles[] = {overlapped.hEvent, stop ? HandleOf(*stop) : nullptr};
    if (!started && WaitForMultipleObjects(stop ? 2 : 1, handles, FALSE, timeoutMs) != WAIT_OBJECT_0) {
      CancelIoEx(pipe_.get(), &overlapped);
    }
    DWORD transferred = 0;
    if (!GetOverlappedResult(pipe_.get(), &overlapped, &transferred, TRUE)) return 0;
    return transferred;
  }

  Win32Handle pipe_;
  Win32Handle connectEvent_;
  Win32Handle ioEvent_;
};

WELL_KNOWN_SID_TYPE SidType(WellKnownTrustee trustee) {
  switch (trustee) {
    case WellKnownTrustee::kLocalSystem:
      return WinLocalSystemSid;
    case WellKnownTrustee::kAdministrators:
      return WinBuiltinAdministratorsSid;
    case WellKnownTrustee::kUsers:
      return WinBuiltinUsersSid;
  }
  return WinNullSid;
}

class LocalAcl {
 public:
  ~LocalAcl() {
    if (acl) LocalFree(acl);
  }
  PACL acl = nullptr;
};

}  // namespace

std::unique_ptr<Event> Win32Ipc::CreateNamedEvent(std::string_view name) {
  return EventOrNull(CreateEventA(nullptr, FALSE, FALSE, std::string(name).c_str()));
}

std::unique_ptr<Event> Win32Ipc::OpenNamedEvent(std::string_view name) {
  return EventOrNull(OpenEventA(EVENT_MODIFY_STATE, FALSE, std::string(name).c_str()));
}

std::unique_ptr<Event> Win32Ipc::CreateUnnamedEvent() {
  return EventOrNull(CreateEventA(nullptr, TRUE, FALSE, nullptr), true);
}

PipeOpenResult Win32Ipc::OpenPipe(std::string_view name) {
  const HANDLE handle =
      CreateFileA(std::string(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    return {std::make_unique<Win32ClientPipe>(handle), PipeOpenError::kNone};
  }
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
      return {nullptr, PipeOpenError::kNotFound};
    case ERROR_ACCESS_DENIED:
      return {nullptr, PipeOpenError::kAccessDenied};
    case ERROR_PIPE_BUSY:
      return {nullptr, PipeOpenError::kBusy};
    default:
      return {nullptr, PipeOpenError::kOther};
  }
}

bool Win32Ipc::WaitForPipe(std::string_view name, std::uint32_t timeoutMs) {
  // WaitNamedPipeA reads 0 as "the pipe's default time-out", not as "do not wait".
  return timeoutMs != 0 && WaitNamedPipeA(std::string(name).c_str(), timeoutMs) != 0;
}

PipeCreateResult Win32Ipc::CreatePipe(std::string_view name, std::span<const AccessEntry> access) {
  std::vector<std::vector<BYTE>> sids;
  std::vector<EXPLICIT_ACCESSA> entries;
  for (const AccessEntry& entry : access) {
    DWORD size = SECURITY_MAX_SID_SIZE;
    std::vector<BYTE> sid(size);
    if (!CreateWellKnownSid(SidType(entry.trustee), nullptr, sid.data(), &size)) {
      return {nullptr, GetLastError()};
    }
    sids.push_back(std::move(sid));
    EXPLICIT_ACCESSA explicitAccess{};
    explicitAccess.grfAccessPermissions = entry.mask;
    explicitAccess.grfAccessMode = SET_ACCESS;
    explicitAccess.grfInheritance = NO_INHERITANCE;
    explicitAccess.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    explicitAccess.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    explicitAccess.Trustee.ptstrName = reinterpret_cast<LPSTR>(sids.back().data());
    entries.push_back(explicitAccess);
  }

  LocalAcl acl;
  if (const DWORD error = SetEntriesInAclA(static_cast<ULONG>(entries.size()), entries.data(), nullptr, &acl.acl)) {
    return {nullptr, error};
  }
  SECURITY_DESCRIPTOR descriptor;
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, acl.acl, FALSE)) {
    return {nullptr, GetLastError()};
  }
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), &descriptor, FALSE};

  Win32Handle pipe(CreateNamedPipeA(std::string(name).c_str(),
                                    PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                    PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                    kPipeBufferSize, kPipeBufferSize, kPipeDefaultTimeoutMs, &attributes));
  if (!pipe) return {nullptr, GetLastError()};
  Win32Handle connectEvent(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  Win32Handle ioEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!connectEvent || !ioEvent) return {nullptr, GetLastError()};
  return {std::make_unique<Win32ServerPipe>(std::move(pipe), std::move(connectEvent), std::move(ioEvent)), 0};
}

}  // namespace holvara
