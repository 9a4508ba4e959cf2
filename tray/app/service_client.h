// The tray program's way to the service: one request and one reply per connection, over the pipe
// and the finished event of the protocol.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "common/protocol.h"
#include "platform/ports/clock.h"
#include "platform/ports/debug_output.h"
#include "platform/ports/ipc.h"

namespace holvara {

// Send's attempts to open the pipe: the first and up to 20 retries, 2 s apart (about 40 s).
inline constexpr int kSendOpenAttempts = 21;
inline constexpr std::uint32_t kSendOpenDelayMs = 2000;

struct ClientPorts {
  Ipc& ipc;
  Clock& clock;
  DebugOutput& debug;
};

// Carries out one exchange at a time: Send, then exactly one read chosen by the command, which
// releases the handles. The object can be reused for the next exchange.
class ServiceClient {
 public:
  explicit ServiceClient(const ClientPorts& ports);

  // True when the request was written and the service signalled that its work is finished;
  // false when the pipe could not be opened or the service went away before finishing.
  bool Send(const ServiceRequest& request);
  // The first byte of a 4-byte reply; 0 when there is nothing to read.
  std::uint8_t ReadCount();
  // A 4-byte reply; 0 when there is nothing to read.
  std::uint32_t ReadResult();
  // Fills record with the reply when there is one, else leaves it as it is; always true.
  bool ReadRecord(DeviceRecord& record);
  // The same for the removal report of command 5.
  bool ReadReport(RemovalReport& report);
  // True when the last Send reached the service but the service ended the connection without
  // signalling: what a service does with a command it does not know.
  bool Dropped() const { return dropped_; }
  void Close();
  // True when the pipe could be opened; nothing is written.
  bool ProbePipe();

 private:
  // Reads until the buffer is full or the connection ends, then releases the handles.
  void ReadReply(std::span<std::byte> buffer);
  PipeOpenResult OpenWithRetries(int attempts, std::uint32_t delayMs);
  // One retry after an open that failed with error: the open made delayMs later, or a
  // successful one made sooner on a busy pipe that became free.
  PipeOpenResult Retry(PipeOpenError error, std::uint32_t delayMs);
  std::uint32_t MsUntil(std::uint64_t due);
  bool AwaitFinished();

  ClientPorts ports_;
  // An exchange is open from Send until its read; the pipe may be null within it when the open
  // failed, and the read then finds nothing but still releases the event.
  bool exchangeOpen_ = false;
  bool dropped_ = false;
  std::unique_ptr<Event> event_;
  std::unique_ptr<ClientPipe> pipe_;
};

// The application's service probe: 1 when the service's pipe can be opened, else 0.
std::uint32_t ProbeService(const ClientPorts& ports);

}  // namespace holvara
