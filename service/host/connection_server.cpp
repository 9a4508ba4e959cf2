#include "service/host/connection_server.h"

#include <algorithm>
#include <span>

#include "common/protocol.h"

namespace holvara {

ConnectionServer::ConnectionServer(ServerPipe& pipe, Event& stop, Ipc& ipc, Clock& clock, RequestDispatcher& dispatcher)
    : pipe_(pipe), stop_(stop), ipc_(ipc), clock_(clock), dispatcher_(dispatcher) {}

ClientWait ConnectionServer::ServeUntilStopped() {
  for (;;) {
    const ClientWait wait = pipe_.WaitForClient(stop_);
    if (wait.outcome != ClientWaitOutcome::kConnected) return wait;
    if (!ServeConnection()) return {ClientWaitOutcome::kStopped};
  }
}

bool ConnectionServer::ServeConnection() {
  auto finished = ipc_.OpenNamedEvent(kFinishedEventName);
  std::uint64_t deadline = clock_.NowMs() + kClientTimeoutMs;
  const auto request = ReadRequest(deadline);
  const std::uint64_t dispatched = clock_.NowMs();
  const auto reply = request ? dispatcher_.Dispatch(*request) : std::nullopt;
  // The bound is on the client's time, not on the work's: a long removal leaves the client as
  // long to take its reply as it had before the work began.
  deadline += clock_.NowMs() - dispatched;
  if (reply) {
    // The signal means the work is done and the reply follows; it never comes after the reply.
    if (finished) finished->Set();
    finished.reset();
    DeliverReply(*reply, deadline);
  }
  // Disconnecting would discard a reply that the stop kept the client from reading; the pipe's
  // close at the end of the service leaves it readable instead.
  if (stop_.Wait(0)) return false;
  pipe_.Disconnect();
  return true;
}

std::optional<ServiceRequest> ConnectionServer::ReadRequest(std::uint64_t deadline) {
  ServiceRequest request{};
  const auto buffer = std::as_writable_bytes(std::span(&request, 1));
  std::size_t filled = 0;
  while (filled < buffer.size()) {
    // The first bytes may take the whole bound; once some have come, a request that stops short
    // is taken as it is. Waiting out the bound for the rest would leave its reply no time, and a
    // client that waits for the finished signal without a limit would hang.
    const std::uint32_t wait =
        filled == 0 ? RemainingMs(deadline) : std::min(kShortRequestPauseMs, RemainingMs(deadline));
    const std::size_t got = pipe_.Read(buffer.subspan(filled), wait, stop_);
    if (got == 0) break;
    filled += got;
  }
  if (filled < buffer.size() && stop_.Wait(0)) return std::nullopt;
  return request;
}

void ConnectionServer::DeliverReply(const std::vector<std::byte>& reply, std::uint64_t deadline) {
  // Disconnecting discards what the client has not read yet, so the reply is given what is left
  // of the bound to reach the client before the connection ends. A stop does not cut the write:
  // a record larger than the pipe's buffer is still under way when it comes.
  if (!pipe_.Write(reply, RemainingMs(deadline))) return;
  pipe_.AwaitClientClose(RemainingMs(deadline), stop_);
}

std::uint32_t ConnectionServer::RemainingMs(std::uint64_t deadline) {
  const std::uint64_t now = clock_.NowMs();
  return now >= deadline ? 0 : static_cast<std::uint32_t>(deadline - now);
}

}  // namespace holvara
