// HolvaraService: hands itself to the Service Control Manager. Started by hand it ends at once,
// silently, with exit code 0.
#include <windows.h>

#include "apps/HolvaraService/device_work_factory.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_debug_output.h"
#include "platform/win32/win32_error_mode.h"
#include "platform/win32/win32_ipc.h"
#include "platform/win32/win32_service_control.h"
#include "platform/win32/win32_threads.h"
#include "service/host/service_host.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace holvara;
  Win32Ipc ipc;
  Win32Threads threads;
  Win32ServiceControl scm;
  Win32Clock clock;
  Win32DebugOutput debug;
  const auto work = MakeDeviceWork(debug);
  Win32ProcessErrorMode errorMode;
  return RunServiceProcess(HostPorts{ipc, threads, scm, clock, debug, errorMode}, *work);
}
