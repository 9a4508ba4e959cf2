// HolvaraServiceSim --machine PATH [--removal-ms MS] [--code-page CP]: the service program, host
// and pipe unchanged, with its device work on the simulated PC that the machine file describes.
// Wine has no storage devices of its own, so this is how the end-to-end tests see devices through
// the real pipe.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <span>

#include "apps/HolvaraServiceSim/machine_argument.h"
#include "apps/HolvaraServiceSim/simulated_device_work.h"
#include "platform/sim/machine_loader.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_debug_output.h"
#include "platform/win32/win32_error_mode.h"
#include "platform/win32/win32_ipc.h"
#include "platform/win32/win32_service_control.h"
#include "platform/win32/win32_threads.h"
#include "service/host/service_host.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitBadMachine = 3;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace holvara;
  const std::span<char* const> arguments(__argv + 1, static_cast<std::size_t>(__argc - 1));
  const auto parsed = ParseServiceSimArguments(arguments);
  if (!parsed) {
    std::fputs("usage: HolvaraServiceSim.exe --machine PATH [--removal-ms MS] [--code-page CP]\n", stderr);
    return kExitUsage;
  }
  Win32DebugOutput debug;
  Win32Clock clock;
  std::unique_ptr<DeviceWork> work;
  try {
    work = MakeSimulatedDeviceWork(*parsed, debug, clock);
  } catch (const sim::MachineError& error) {
    // A test service that cannot load its machine must not pose as a service without devices.
    std::fprintf(stderr, "HolvaraServiceSim: %s\n", error.what());
    return kExitBadMachine;
  }
  Win32Ipc ipc;
  Win32Threads threads;
  Win32ServiceControl scm;
  Win32ProcessErrorMode errorMode;
  return RunServiceProcess(HostPorts{ipc, threads, scm, clock, debug, errorMode}, *work);
}
