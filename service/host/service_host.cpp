#include "service/host/service_host.h"

#include "common/protocol.h"
#include "service/host/connection_server.h"
#include "service/host/pipe_access.h"
#include "service/host/request_dispatcher.h"

namespace holvara {

namespace {
constexpr std::uint32_t kStartWaitHintMs = 3000;
constexpr std::uint32_t kStopWaitHintMs = 3000;
constexpr std::uint32_t kInterrogateDelayMs = 1000;
// ERROR_NOT_ENOUGH_MEMORY: the only reason an unnamed event cannot be made.
constexpr std::uint32_t kErrorNoStopEvent = 8;
}  // namespace

ServiceHost::ServiceHost(const HostPorts& ports, DeviceWork& work)
    : ports_(ports),
      work_(work),
      reporter_(ports.scm, ports.clock, [this] { Stop(); }),
      mainEnded_(ports.ipc.CreateUnnamedEvent()) {}

void ServiceHost::ServiceMain() {
  mainStarted_ = true;
  // Stopped only now that the pipe is closed and the request under way was served: the Service
  // Control Manager may start the next process at once, and that one must find the pipe free.
  if (StartAndServe()) Stop();
  if (mainEnded_) mainEnded_->Set();
}

void ServiceHost::AwaitServiceMainEnd() {
  if (mainStarted_ && mainEnded_) mainEnded_->Wait(kWaitForever);
}

bool ServiceHost::StartAndServe() {
  // Made before the handler can run, so that a stop control always finds it.
  stop_ = ports_.ipc.CreateUnnamedEvent();
  if (!ports_.scm.RegisterHandler(kServiceName, [this](std::uint32_t control) { OnControl(control); })) {
    return false;
  }
  reporter_.Report(kServiceStartPending, 0, 0, 1, kStartWaitHintMs);
  // The start report kept failing and the stop routine has already given up on the service.
  if (stopped_) return false;
  if (!stop_) {
    ReportStopped(kErrorNoStopEvent);
    return false;
  }

  // Another process holding the pipe's name would receive every request: never run without it.
  PipeCreateResult created = ports_.ipc.CreatePipe(kPipeName, kPipeAccess);
  if (!created.pipe) {
    ReportStopped(created.error);
    return false;
  }

  currentState_ = kServiceRunning;
  reporter_.Report(kServiceRunning, 0, 0, 0, 0);

  RequestDispatcher dispatcher(work_, ports_.threads, ports_.debug);
  ConnectionServer server(*created.pipe, *stop_, ports_.ipc, ports_.clock, dispatcher);
  const ClientWait end = server.ServeUntilStopped();
  if (end.outcome == ClientWaitOutcome::kFailed) {
    ReportStopped(end.error);
    return false;
  }
  return true;
}

void ServiceHost::OnControl(std::uint32_t control) {
  if (control == kServiceControlStop || control == kServiceControlShutdown) {
    currentState_ = kServiceStopPending;
    reporter_.Report(kServiceStopPending, 0, 0, 1, kStopWaitHintMs);
    // The pipe loop ends at its next wait; the service main function reports the stop then.
    if (stop_) stop_->Set();
    return;
  }
  ports_.clock.SleepMs(kInterrogateDelayMs);
  reporter_.Report(currentState_, 0, 0, 0, 0);
}

bool ServiceHost::Stop() {
  if (stopped_.exchange(true)) return false;
  if (stop_) stop_->Set();
  return reporter_.Report(kServiceStopped, 0, 0, 0, 0);
}

void ServiceHost::ReportStopped(std::uint32_t win32ExitCode) {
  if (stopped_.exchange(true)) return;
  currentState_ = kServiceStopped;
  // Any failure must show as one: a zero code would read as a clean stop.
  reporter_.Report(kServiceStopped, win32ExitCode != 0 ? win32ExitCode : 1, 0, 0, 0);
}

int RunServiceProcess(const HostPorts& ports, DeviceWork& work) {
  // The device work probes drives that may hold no disk; no box may block it.
  ports.errorMode.FailCriticalErrors();
  ServiceHost host(ports, work);
  ports.scm.RunDispatcher(kServiceName, [&host] { host.ServiceMain(); });
  host.AwaitServiceMainEnd();
  return 0;
}

}  // namespace holvara
