// Named pipes and events inside one process, on the scheduler's virtual time. Besides a real
// server end (the service host under test), a pipe name can be answered by a responder: a function
// that turns each request into reply bytes at once, with no server thread, for tests and tools
// that only need the client side. Faults can be scripted per pipe name.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/protocol.h"
#include "platform/ports/ipc.h"
#include "platform/sim/sim_scheduler.h"

namespace holvara {

class SimIpc : public Ipc {
 public:
  // Turns one request into the reply bytes; an empty reply means the request is dropped without
  // setting the finished event, as the service does with an unknown command.
  using Responder = std::function<std::vector<std::uint8_t>(const ServiceRequest&)>;

  explicit SimIpc(SimScheduler& scheduler) : scheduler_(scheduler) {}

  std::unique_ptr<Event> CreateNamedEvent(std::string_view name) override;
  PipeOpenResult OpenPipe(std::string_view name) override;
  bool WaitForPipe(std::string_view name, std::uint32_t timeoutMs) override;
  std::unique_ptr<Event> OpenNamedEvent(std::string_view name) override;
  std::unique_ptr<Event> CreateUnnamedEvent() override;
  PipeCreateResult CreatePipe(std::string_view name, std::span<const AccessEntry> access) override;

  // Answers every connection to pipeName with the responder: once the client has written a whole
  // request (or closed early, leaving the rest zero), the reply is queued for it and the named
  // event finishedEventName is set if it exists.
  void AttachResponder(const std::string& pipeName, const std::string& finishedEventName, Responder responder);
  void DetachResponder(const std::string& pipeName);

  // Scripted faults.
  void DenyAccess(const std::string& pipeName, bool deny);
  void FailNextCreation(const std::string& pipeName, std::uint32_t error);
  // The next connection's server end vanishes once the request has arrived, before any reply.
  void BreakNextExchange(const std::string& pipeName);

  // Observations.
  bool PipeExists(const std::string& pipeName);
  int Connections(const std::string& pipeName);
  std::vector<AccessEntry> AccessList(const std::string& pipeName);
  bool EventExists(const std::string& eventName);

  struct Connection;
  struct EventState;
  struct PipeState;

 private:
  friend class SimClientPipe;
  friend class SimServerPipe;

  PipeState& Pipe(const std::string& name);
  // With the lock held; may unlock while the responder runs.
  void Respond(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Connection>& connection);
  void ReleaseClient(const std::shared_ptr<Connection>& connection);

  SimScheduler& scheduler_;
  std::map<std::string, std::weak_ptr<EventState>> events_;
  std::map<std::string, std::shared_ptr<PipeState>> pipes_;
};

}  // namespace holvara
