#include "tray/app/service_client.h"

#include <array>

namespace holvara {

namespace {
constexpr int kProbeOpenAttempts = 12;
constexpr std::uint32_t kProbeOpenDelayMs = 50;
// How often a client waiting for the finished event checks that the service is still there. A
// removal may legitimately take a minute; a service that stopped or crashed never signals.
constexpr std::uint32_t kAliveCheckMs = 250;
}  // namespace

ServiceClient::ServiceClient(const ClientPorts& ports) : ports_(ports) {}

bool ServiceClient::Send(const ServiceRequest& request) {
  Close();
  dropped_ = false;
  // The event must exist before the service can open it to signal this request.
  event_ = ports_.ipc.CreateNamedEvent(kFinishedEventName);
  exchangeOpen_ = true;

  PipeOpenResult opened = OpenWithRetries(kSendOpenAttempts, kSendOpenDelayMs);
  if (!opened.pipe) {
    ports_.debug.Write(opened.error == PipeOpenError::kAccessDenied ? "ERROR_ACCESS_DENIED\n" : "AnotherError\n");
    return false;
  }
  pipe_ = std::move(opened.pipe);
  pipe_->Write(std::as_bytes(std::span(&request, 1)));
  pipe_->Flush();
  return AwaitFinished();
}

bool ServiceClient::AwaitFinished() {
  // Without the event there is nothing to wait on; the read that follows waits for the reply.
  if (!event_) return true;
  for (;;) {
    if (event_->Wait(kAliveCheckMs)) return true;
    if (!pipe_->ServerAlive()) {
      dropped_ = !event_->Wait(0);
      return !dropped_;
    }
  }
}

std::uint8_t ServiceClient::ReadCount() {
  std::array<std::byte, kShortReplySize> reply{};
  ReadReply(reply);
  return static_cast<std::uint8_t>(reply[0]);
}

std::uint32_t ServiceClient::ReadResult() {
  std::array<std::byte, kShortReplySize> reply{};
  ReadReply(reply);
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < reply.size(); ++i) {
    value |= static_cast<std::uint32_t>(reply[i]) << (8 * i);
  }
  return value;
}

bool ServiceClient::ReadRecord(DeviceRecord& record) {
  // Straight into the caller's buffer: bytes that never arrive keep the caller's zeros.
  ReadReply(std::as_writable_bytes(std::span(&record, 1)));
  return true;
}

bool ServiceClient::ReadReport(RemovalReport& report) {
  ReadReply(std::as_writable_bytes(std::span(&report, 1)));
  return true;
}

void ServiceClient::ReadReply(std::span<std::byte> buffer) {
  if (!exchangeOpen_) return;
  std::size_t filled = 0;
  while (pipe_ && filled < buffer.size()) {
    const std::size_t got = pipe_->Read(buffer.subspan(filled));
    if (got == 0) break;
    filled += got;
  }
  Close();
}

void ServiceClient::Close() {
  pipe_.reset();
  event_.reset();
  exchangeOpen_ = false;
}

bool ServiceClient::ProbePipe() {
  Close();
  PipeOpenResult opened = OpenWithRetries(kProbeOpenAttempts, kProbeOpenDelayMs);
  return opened.pipe != nullptr;
}

PipeOpenResult ServiceClient::OpenWithRetries(int attempts, std::uint32_t delayMs) {
  PipeOpenResult opened = ports_.ipc.OpenPipe(kPipeName);
  for (int attempt = 1; attempt < attempts && !opened.pipe; ++attempt) {
    opened = Retry(opened.error, delayMs);
  }
  return opened;
}

PipeOpenResult ServiceClient::Retry(PipeOpenError error, std::uint32_t delayMs) {
  // A busy pipe is free again as soon as the service has let its client go, typically well
  // within the delay; sleeping it out would stall every exchange that follows another. Another
  // client may take the freed pipe first, which must not use up the retries meant to cover the
  // whole delay, so the pipe is waited for again until the delay is up.
  const std::uint64_t due = ports_.clock.NowMs() + delayMs;
  while (error == PipeOpenError::kBusy) {
    const std::uint32_t left = MsUntil(due);
    if (left == 0 || !ports_.ipc.WaitForPipe(kPipeName, left)) break;
    PipeOpenResult opened = ports_.ipc.OpenPipe(kPipeName);
    if (opened.pipe) return opened;
    error = opened.error;
  }
  if (const std::uint32_t left = MsUntil(due)) ports_.clock.SleepMs(left);
  return ports_.ipc.OpenPipe(kPipeName);
}

std::uint32_t ServiceClient::MsUntil(std::uint64_t due) {
  const std::uint64_t now = ports_.clock.NowMs();
  return now >= due ? 0 : static_cast<std::uint32_t>(due - now);
}

std::uint32_t ProbeService(const ClientPorts& ports) {
  ServiceClient client(ports);
  return client.ProbePipe() ? 1 : 0;
}

}  // namespace holvara
