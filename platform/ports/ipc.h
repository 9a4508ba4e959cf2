// Named pipes and events as the service and its client use them. Every object is owned by its
// handle: destroying it closes the system handle. Waits never take longer than they are told, and
// the server's waits also end when the service's stop event is set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace holvara {

inline constexpr std::uint32_t kWaitForever = 0xFFFFFFFF;

class Event {
 public:
  virtual ~Event() = default;
  virtual void Set() = 0;
  // True when the event was signalled within timeoutMs (kWaitForever: no limit). An auto-reset
  // event is reset by the wait that sees it.
  virtual bool Wait(std::uint32_t timeoutMs) = 0;
};

// The client end of a connection: synchronous, as a program opens it with CreateFileA.
class ClientPipe {
 public:
  virtual ~ClientPipe() = default;
  virtual bool Write(std::span<const std::byte> bytes) = 0;
  virtual void Flush() = 0;
  // One read of at most buffer.size() bytes; blocks until data arrives or the server end is gone.
  // Returns the number of bytes read, 0 when the connection has ended.
  virtual std::size_t Read(std::span<std::byte> buffer) = 0;
  // False once the server has closed or disconnected its end.
  virtual bool ServerAlive() = 0;
};

enum class PipeOpenError { kNone, kNotFound, kAccessDenied, kBusy, kOther };

struct PipeOpenResult {
  std::unique_ptr<ClientPipe> pipe;  // null when the open failed
  PipeOpenError error = PipeOpenError::kNone;
};

enum class ClientWaitOutcome { kConnected, kStopped, kFailed };

struct ClientWait {
  ClientWaitOutcome outcome;
  std::uint32_t error = 0;  // the system's error code when the outcome is kFailed
};

// The single server instance of a pipe. The waits for a client take the stop event so that a
// stop control is never held up by one; the delivery of a reply is bounded by its time-out only.
class ServerPipe {
 public:
  virtual ~ServerPipe() = default;
  // Waits for a client or the stop event, whichever comes first. A client that connected before
  // the wait began counts as connected.
  virtual ClientWait WaitForClient(Event& stop) = 0;
  // One read of at most buffer.size() bytes; 0 on time-out, stop, failure or a closed client.
  virtual std::size_t Read(std::span<std::byte> buffer, std::uint32_t timeoutMs, Event& stop) = 0;
  // Writes all bytes; false when they could not all be written in time. A write larger than the
  // pipe's buffer completes only as the client reads. The stop event does not cut it: the reply
  // of a request under way still reaches its client.
  virtual bool Write(std::span<const std::byte> bytes, std::uint32_t timeoutMs) = 0;
  // Waits until the client has closed its end (having read what it wanted), up to timeoutMs or stop.
  virtual void AwaitClientClose(std::uint32_t timeoutMs, Event& stop) = 0;
  virtual void Disconnect() = 0;
};

// Names a built-in account or group by kind rather than by its localised name.
enum class WellKnownTrustee { kLocalSystem, kAdministrators, kUsers };

struct AccessEntry {
  WellKnownTrustee trustee;
  std::uint32_t mask;
};

struct PipeCreateResult {
  std::unique_ptr<ServerPipe> pipe;  // null when the creation failed
  std::uint32_t error = 0;           // the system's error code of a failed creation
};

class Ipc {
 public:
  virtual ~Ipc() = default;

  // Client side.
  // Creates the named auto-reset event, or opens it when it exists; null on failure.
  virtual std::unique_ptr<Event> CreateNamedEvent(std::string_view name) = 0;
  virtual PipeOpenResult OpenPipe(std::string_view name) = 0;
  // Waits until the pipe's instance is free for a new client (WaitNamedPipeA): true then; false
  // at the time-out, or at once when no such pipe exists.
  virtual bool WaitForPipe(std::string_view name, std::uint32_t timeoutMs) = 0;

  // Server side.
  // Opens an existing named event for setting it; null when nobody has created it.
  virtual std::unique_ptr<Event> OpenNamedEvent(std::string_view name) = 0;
  // An unnamed manual-reset event, not signalled.
  virtual std::unique_ptr<Event> CreateUnnamedEvent() = 0;
  // Creates the one and only instance of a local duplex byte pipe whose access list grants
  // exactly the given entries. Fails when the name is already taken.
  virtual PipeCreateResult CreatePipe(std::string_view name, std::span<const AccessEntry> access) = 0;
};

}  // namespace holvara
