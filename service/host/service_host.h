// The service process apart from its device work: the service main function with the pipe loop,
// the control handler, the status reports and the stop routine.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/ports/ipc.h"
#include "service/device_work.h"
#include "service/host/host_ports.h"
#include "service/host/status_reporter.h"

namespace holvara {

class ServiceHost {
 public:
  ServiceHost(const HostPorts& ports, DeviceWork& work);

  // Runs on the service's own thread until the service has stopped.
  void ServiceMain();
  // Runs on the dispatcher's thread for every control the Service Control Manager sends.
  void OnControl(std::uint32_t control);
  // Returns once ServiceMain, if it ever started, has returned. The dispatcher lets go of the
  // process as soon as the stopped state is reported, just before ServiceMain returns.
  void AwaitServiceMainEnd();

 private:
  // True when the pipe loop ran and ended at the stop event.
  bool StartAndServe();
  // Sets the stop event and reports the service stopped, once per process: a stopped report
  // that keeps failing must not start the stop routine again. Runs when the pipe loop has ended,
  // or when the Service Control Manager keeps refusing reports.
  bool Stop();
  void ReportStopped(std::uint32_t win32ExitCode);

  HostPorts ports_;
  DeviceWork& work_;
  StatusReporter reporter_;
  std::unique_ptr<Event> stop_;
  std::unique_ptr<Event> mainEnded_;
  std::atomic<bool> mainStarted_{false};
  std::atomic<std::uint32_t> currentState_{0};
  std::atomic<bool> stopped_{false};
};

// The process entry: hands the thread to the Service Control Manager. Always 0, and silent,
// also when the program was started by hand.
int RunServiceProcess(const HostPorts& ports, DeviceWork& work);

}  // namespace holvara
