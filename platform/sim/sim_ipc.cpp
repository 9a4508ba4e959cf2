#include "platform/sim/sim_ipc.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace holvara {

namespace {
constexpr std::uint32_t kErrorAccessDenied = 5;
// Each direction holds this much that the reader has not taken yet; a larger write waits for it.
constexpr std::size_t kPipeBufferBytes = 256;

std::optional<std::uint64_t> Timeout(std::uint32_t timeoutMs) {
  if (timeoutMs == kWaitForever) return std::nullopt;
  return timeoutMs;
}
}  // namespace

struct SimIpc::EventState {
  bool signalled = false;
  bool manualReset = false;
};

struct SimIpc::Connection {
  std::vector<std::byte> toServer;
  std::vector<std::byte> toClient;
  // A read the client has under way takes what the server writes straight away, as on the real
  // system; a disconnect cannot take those bytes back.
  std::size_t clientReadPending = 0;
  std::vector<std::byte> handedToClient;
  bool clientOpen = true;
  bool serverOpen = true;
  bool breakOnRequest = false;
  // Set when a responder, not a server end, answers this connection.
  Responder responder;
  std::string finishedEventName;
  bool answered = false;
};

struct SimIpc::PipeState {
  bool hasServer = false;
  bool listening = false;
  std::shared_ptr<Connection> connection;
  Responder responder;
  std::string finishedEventName;
  bool denyAccess = false;
  std::optional<std::uint32_t> failCreation;
  bool breakNextExchange = false;
  int connections = 0;
  std::vector<AccessEntry> access;
};

namespace {

class SimEvent : public Event {
 public:
  SimEvent(SimScheduler& scheduler, std::shared_ptr<SimIpc::EventState> state)
      : scheduler_(scheduler), state_(std::move(state)) {}

  void Set() override {
    auto lock = scheduler_.Lock();
    state_->signalled = true;
    scheduler_.Changed();
  }

  bool Wait(std::uint32_t timeoutMs) override {
    auto lock = scheduler_.Lock();
    const bool signalled = scheduler_.BlockUntil(
        lock, [this] { return state_->signalled; }, Timeout(timeoutMs));
    if (signalled && !state_->manualReset) state_->signalled = false;
    return signalled;
  }

  // With the scheduler's lock held.
  bool Signalled() const { return state_->signalled; }

 private:
  SimScheduler& scheduler_;
  std::shared_ptr<SimIpc::EventState> state_;
};

bool IsSet(Event& event) { return dynamic_cast<SimEvent&>(event).Signalled(); }

std::size_t TakeBytes(std::vector<std::byte>& from, std::span<std::byte> to) {
  const std::size_t count = std::min(from.size(), to.size());
  std::copy_n(from.begin(), count, to.begin());
  from.erase(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(count));
  return count;
}

}  // namespace

class SimClientPipe : public ClientPipe {
 public:
  SimClientPipe(SimIpc& ipc, std::shared_ptr<SimIpc::Connection> connection)
      : ipc_(ipc), connection_(std::move(connection)) {}
  ~SimClientPipe() override { ipc_.ReleaseClient(connection_); }

  bool Write(std::span<const std::byte> bytes) override {
    auto lock = ipc_.scheduler_.Lock();
    if (!connection_->serverOpen) return false;
    connection_->toServer.insert(connection_->toServer.end(), bytes.begin(), bytes.end());
    if (connection_->toServer.size() >= sizeof(ServiceRequest)) {
      if (connection_->breakOnRequest) {
        connection_->serverOpen = false;
        connection_->answered = true;
      } else if (connection_->responder && !connection_->answered) {
        ipc_.Respond(lock, connection_);
      }
    }
    ipc_.scheduler_.Changed();
    return true;
  }

  void Flush() override {}

  std::size_t Read(std::span<std::byte> buffer) override {
    auto lock = ipc_.scheduler_.Lock();
    connection_->clientReadPending = buffer.size();
    ipc_.scheduler_.BlockUntil(
        lock,
        [this] {
          return !connection_->handedToClient.empty() || !connection_->toClient.empty() || !connection_->serverOpen;
        },
        std::nullopt);
    connection_->clientReadPending = 0;
    const std::size_t taken = connection_->handedToClient.empty() ? TakeBytes(connection_->toClient, buffer)
                                                                  : TakeBytes(connection_->handedToClient, buffer);
    // A server write waiting for room may now complete.
    if (taken > 0) ipc_.scheduler_.Changed();
    return taken;
  }

  bool ServerAlive() override {
    auto lock = ipc_.scheduler_.Lock();
    return connection_->serverOpen;
  }

 private:
  SimIpc& ipc_;
  std::shared_ptr<SimIpc::Connection> connection_;
};

class SimServerPipe : public ServerPipe {
 public:
  SimServerPipe(SimIpc& ipc, std::shared_ptr<SimIpc::PipeState> pipe) : ipc_(ipc), pipe_(std::move(pipe)) {}

  // Closing the server end, unlike disconnecting it, leaves what was written readable.
  ~SimServerPipe() override {
    auto lock = ipc_.scheduler_.Lock();
    DropConnection();
    pipe_->hasServer = false;
    pipe_->listening = false;
    ipc_.scheduler_.Changed();
  }

  ClientWait WaitForClient(Event& stop) override {
    auto lock = ipc_.scheduler_.Lock();
    if (!pipe_->connection) {
      pipe_->listening = true;
      ipc_.scheduler_.Changed();
    }
    ipc_.scheduler_.BlockUntil(
        lock, [&] { return pipe_->connection != nullptr || IsSet(stop); }, std::nullopt);
    if (pipe_->connection) return {ClientWaitOutcome::kConnected};
    pipe_->listening = false;
    return {ClientWaitOutcome::kStopped};
  }

  std::size_t Read(std::span<std::byte> buffer, std::uint32_t timeoutMs, Event& stop) override {
    auto lock = ipc_.scheduler_.Lock();
    const auto connection = pipe_->connection;
    if (!connection) return 0;
    ipc_.scheduler_.BlockUntil(
        lock,
        [&] {
          return !connection->toServer.empty() || !connection->clientOpen || !connection->serverOpen || IsSet(stop);
        },
        Timeout(timeoutMs));
    if (!connection->serverOpen) return 0;
    return TakeBytes(connection->toServer, buffer);
  }

  // As a write larger than the pipe's buffer does, it completes only once the client has read
  // enough for the rest to fit; when it ends before that, the part the client has not read is lost.
  bool Write(std::span<const std::byte> bytes, std::uint32_t timeoutMs) override {
    auto lock = ipc_.scheduler_.Lock();
    const auto connection = pipe_->connection;
    if (!connection || !connection->serverOpen || !connection->clientOpen) return false;
    connection->toClient.insert(connection->toClient.end(), bytes.begin(), bytes.end());
    HandToPendingRead(*connection);
    ipc_.scheduler_.Changed();
    const auto fits = [&] { return connection->toClient.size() <= kPipeBufferBytes; };
    ipc_.scheduler_.BlockUntil(
        lock, [&] { return fits() || !connection->clientOpen || !connection->serverOpen; }, Timeout(timeoutMs));
    if (fits()) return true;
    const std::size_t unread = std::min(connection->toClient.size(), bytes.size());
    connection->toClient.erase(connection->toClient.end() - static_cast<std::ptrdiff_t>(unread),
                               connection->toClient.end());
    ipc_.scheduler_.Changed();
    return false;
  }

  void AwaitClientClose(std::uint32_t timeoutMs, Event& stop) override {
    auto lock = ipc_.scheduler_.Lock();
    const auto connection = pipe_->connection;
    if (!connection) return;
    ipc_.scheduler_.BlockUntil(
        lock, [&] { return !connection->clientOpen || !connection->serverOpen || IsSet(stop); }, Timeout(timeoutMs));
  }

  // As on the real system, the client loses whatever it has not read yet.
  void Disconnect() override {
    auto lock = ipc_.scheduler_.Lock();
    if (pipe_->connection) pipe_->connection->toClient.clear();
    DropConnection();
    ipc_.scheduler_.Changed();
  }

 private:
  // With the lock held.
  static void HandToPendingRead(SimIpc::Connection& connection) {
    if (connection.clientReadPending == 0 || !connection.handedToClient.empty()) return;
    const std::size_t count = std::min(connection.clientReadPending, connection.toClient.size());
    const auto end = connection.toClient.begin() + static_cast<std::ptrdiff_t>(count);
    connection.handedToClient.assign(connection.toClient.begin(), end);
    connection.toClient.erase(connection.toClient.begin(), end);
    connection.clientReadPending = 0;
  }

  // With the lock held.
  void DropConnection() {
    if (pipe_->connection) pipe_->connection->serverOpen = false;
    pipe_->connection.reset();
    pipe_->listening = false;
  }

  SimIpc& ipc_;
  std::shared_ptr<SimIpc::PipeState> pipe_;
};

SimIpc::PipeState& SimIpc::Pipe(const std::string& name) {
  auto& pipe = pipes_[name];
  if (!pipe) pipe = std::make_shared<PipeState>();
  return *pipe;
}

std::unique_ptr<Event> SimIpc::CreateNamedEvent(std::string_view name) {
  auto lock = scheduler_.Lock();
  auto& slot = events_[std::string(name)];
  auto state = slot.lock();
  if (!state) {
    state = std::make_shared<EventState>();
    slot = state;
  }
  return std::make_unique<SimEvent>(scheduler_, state);
}

std::unique_ptr<Event> SimIpc::OpenNamedEvent(std::string_view name) {
  auto lock = scheduler_.Lock();
  const auto found = events_.find(std::string(name));
  if (found == events_.end()) return nullptr;
  auto state = found->second.lock();
  if (!state) return nullptr;
  return std::make_unique<SimEvent>(scheduler_, state);
}

std::unique_ptr<Event> SimIpc::CreateUnnamedEvent() {
  auto state = std::make_shared<EventState>();
  state->manualReset = true;
  return std::make_unique<SimEvent>(scheduler_, state);
}

PipeOpenResult SimIpc::OpenPipe(std::string_view name) {
  auto lock = scheduler_.Lock();
  const auto found = pipes_.find(std::string(name));
  if (found == pipes_.end()) return {nullptr, PipeOpenError::kNotFound};
  PipeState& pipe = *found->second;
  if (!pipe.hasServer && !pipe.responder) return {nullptr, PipeOpenError::kNotFound};
  if (pipe.denyAccess) return {nullptr, PipeOpenError::kAccessDenied};
  if (pipe.connection || (pipe.hasServer && !pipe.listening && !pipe.responder)) {
    return {nullptr, PipeOpenError::kBusy};
  }
  auto connection = std::make_shared<Connection>();
  if (pipe.responder) {
    connection->responder = pipe.responder;
    connection->finishedEventName = pipe.finishedEventName;
  }
  connection->breakOnRequest = std::exchange(pipe.breakNextExchange, false);
  pipe.connection = connection;
  pipe.listening = false;
  ++pipe.connections;
  scheduler_.Changed();
  return {std::make_unique<SimClientPipe>(*this, std::move(connection)), PipeOpenError::kNone};
}

bool SimIpc::WaitForPipe(std::string_view name, std::uint32_t timeoutMs) {
  auto lock = scheduler_.Lock();
  const auto found = pipes_.find(std::string(name));
  if (found == pipes_.end()) return false;
  const std::shared_ptr<PipeState> pipe = found->second;
  const auto exists = [&] { return pipe->hasServer || pipe->responder != nullptr; };
  if (!exists()) return false;
  return scheduler_.BlockUntil(
             lock, [&] { return !exists() || (!pipe->connection && (pipe->listening || pipe->responder != nullptr)); },
             Timeout(timeoutMs)) &&
         exists();
}

PipeCreateResult SimIpc::CreatePipe(std::string_view name, std::span<const AccessEntry> access) {
  auto lock = scheduler_.Lock();
  auto& slot = pipes_[std::string(name)];
  if (!slot) slot = std::make_shared<PipeState>();
  PipeState& pipe = *slot;
  if (pipe.failCreation) return {nullptr, *std::exchange(pipe.failCreation, std::nullopt)};
  if (pipe.hasServer || pipe.responder) return {nullptr, kErrorAccessDenied};
  pipe.hasServer = true;
  pipe.listening = true;
  pipe.access.assign(access.begin(), access.end());
  scheduler_.Changed();
  return {std::make_unique<SimServerPipe>(*this, slot), 0};
}

void SimIpc::Respond(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Connection>& connection) {
  ServiceRequest request{};
  const std::size_t count = std::min(connection->toServer.size(), sizeof(request));
  std::copy_n(connection->toServer.begin(), count, reinterpret_cast<std::byte*>(&request));
  connection->toServer.clear();
  connection->answered = true;

  const Responder responder = connection->responder;
  lock.unlock();
  const std::vector<std::uint8_t> reply = responder(request);
  lock.lock();

  if (reply.empty()) {
    connection->serverOpen = false;
  } else {
    const auto* bytes = reinterpret_cast<const std::byte*>(reply.data());
    connection->toClient.insert(connection->toClient.end(), bytes, bytes + reply.size());
    const auto event = events_.find(connection->finishedEventName);
    if (event != events_.end()) {
      if (auto state = event->second.lock()) state->signalled = true;
    }
  }
  scheduler_.Changed();
}

void SimIpc::ReleaseClient(const std::shared_ptr<Connection>& connection) {
  auto lock = scheduler_.Lock();
  connection->clientOpen = false;
  if (connection->responder) {
    if (!connection->answered && !connection->breakOnRequest) Respond(lock, connection);
    connection->serverOpen = false;
    for (auto& [name, pipe] : pipes_) {
      if (pipe->connection == connection) pipe->connection.reset();
    }
  }
  scheduler_.Changed();
}

void SimIpc::AttachResponder(const std::string& pipeName, const std::string& finishedEventName, Responder responder) {
  auto lock = scheduler_.Lock();
  PipeState& pipe = Pipe(pipeName);
  pipe.responder = std::move(responder);
  pipe.finishedEventName = finishedEventName;
  scheduler_.Changed();
}

void SimIpc::DetachResponder(const std::string& pipeName) {
  auto lock = scheduler_.Lock();
  Pipe(pipeName).responder = nullptr;
  scheduler_.Changed();
}

void SimIpc::DenyAccess(const std::string& pipeName, bool deny) {
  auto lock = scheduler_.Lock();
  Pipe(pipeName).denyAccess = deny;
}

void SimIpc::FailNextCreation(const std::string& pipeName, std::uint32_t error) {
  auto lock = scheduler_.Lock();
  Pipe(pipeName).failCreation = error;
}

void SimIpc::BreakNextExchange(const std::string& pipeName) {
  auto lock = scheduler_.Lock();
  Pipe(pipeName).breakNextExchange = true;
}

bool SimIpc::PipeExists(const std::string& pipeName) {
  auto lock = scheduler_.Lock();
  const auto found = pipes_.find(pipeName);
  return found != pipes_.end() && (found->second->hasServer || found->second->responder);
}

int SimIpc::Connections(const std::string& pipeName) {
  auto lock = scheduler_.Lock();
  const auto found = pipes_.find(pipeName);
  return found == pipes_.end() ? 0 : found->second->connections;
}

std::vector<AccessEntry> SimIpc::AccessList(const std::string& pipeName) {
  auto lock = scheduler_.Lock();
  const auto found = pipes_.find(pipeName);
  return found == pipes_.end() ? std::vector<AccessEntry>{} : found->second->access;
}

bool SimIpc::EventExists(const std::string& eventName) {
  auto lock = scheduler_.Lock();
  const auto found = events_.find(eventName);
  return found != events_.end() && !found->second.expired();
}

}  // namespace holvara
