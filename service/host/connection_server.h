// Serves the connections of the service's pipe one after another until the stop event is set. No
// client can hold the service longer than kClientTimeoutMs in all, sending its request and taking
// its reply; the time the work takes does not count.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/ports/clock.h"
#include "platform/ports/ipc.h"
#include "service/host/request_dispatcher.h"

namespace holvara {

class ConnectionServer {
 public:
  static constexpr std::uint32_t kClientTimeoutMs = 5000;
  // A request whose bytes stop coming for this long is served as far as it came, the rest zero.
  static constexpr std::uint32_t kShortRequestPauseMs = 250;

  ConnectionServer(ServerPipe& pipe, Event& stop, Ipc& ipc, Clock& clock, RequestDispatcher& dispatcher);

  // Returns the outcome of the wait that ended the loop: kStopped, or kFailed with its error.
  ClientWait ServeUntilStopped();

 private:
  // False when the stop event ended the connection: it is left to the pipe's close.
  bool ServeConnection();
  // Missing bytes stay zero: a client that sends nothing is served as command 0, search code 0.
  // Nothing when the stop event cut the request short.
  std::optional<ServiceRequest> ReadRequest(std::uint64_t deadline);
  void DeliverReply(const std::vector<std::byte>& reply, std::uint64_t deadline);
  std::uint32_t RemainingMs(std::uint64_t deadline);

  ServerPipe& pipe_;
  Event& stop_;
  Ipc& ipc_;
  Clock& clock_;
  RequestDispatcher& dispatcher_;
};

}  // namespace holvara
