// The whole system in one process: the tray program's simulated PC, whose machine answers the
// real service host and device service on the same virtual clock, so the tray's user-interface
// thread, its dialogs' workers and the service's threads all run in one test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/sim/recording_debug_output.h"
#include "platform/sim/simulated_pc.h"
#include "service/devices/device_service.h"
#include "service/host/service_host.h"
#include "tray/app/holvara_app.h"
#include "tray/app/tests/sim_tray_pc.h"

namespace holvara {

inline std::string ExampleMachine(const std::string& name) {
  return std::string(HOLVARA_EXAMPLES_DIR) + "/machines/" + name + ".json";
}

struct SimWholePc : SimTrayPc {
  explicit SimWholePc(const std::string& machine = "pm-enclosure")
      : pc(sim::SimulatedPc::FromFile(ExampleMachine(machine))) {
    files.SetWindowsDirectory("C:\\Windows");
    files.SetCurrentDirectory("C:\\Windows\\system32");
  }
  // The service stops and every simulated thread ends before the objects they use go away.
  ~SimWholePc() {
    if (serviceProcess) {
      kernel.scm().SendControl(kServiceControlStop);
      serviceProcess->Wait(kWaitForever);
    }
    kernel.JoinThreads();
  }

  void StartService() {
    serviceProcess =
        kernel.threads().Start([this] { return static_cast<std::uint32_t>(RunServiceProcess(hostPorts, service)); });
    ASSERT_TRUE(kernel.scm().WaitForState(kServiceRunning, 10000));
  }
  // The service, then the tray program started and its device list built; the main window's own
  // start-up chain is left out, so a test sees only what it runs itself.
  void StartAll() {
    StartProgram();
    desktop.StopTimer(app->mainWindowId(), kServiceWaitTimer);
    app->RefreshDevices();
  }
  // The service, then the tray program with its main window's start-up chain (the wait for the
  // service, the start-up rescan and refresh, the icon) run to its end.
  void StartAllAndRunStartup() {
    StartProgram();
    desktop.SetTimeLimit(kernel.NowMs() + 10000);
    desktop.RunMessageLoop();
    desktop.ClearTimeLimit();
  }
  void StartProgram() {
    StartService();
    app = std::make_unique<CHolvaraApp>(ports(), client());
    ASSERT_TRUE(app->InitInstance());
  }
  void SetProfile(const char* name, std::uint32_t value) {
    registry.SetDword(RegistryRoot::kCurrentUser, kSimSettingsKey, name, value);
  }
  bool NodeRemoved(const std::string& deviceObject) {
    for (const auto& node : pc.machine().nodes) {
      if (node.deviceObjectName == deviceObject) return node.removed;
    }
    ADD_FAILURE() << "no node " << deviceObject;
    return false;
  }

  sim::SimulatedPc pc;
  RecordingDebugOutput serviceDebug;
  DeviceService service{
      DevicePorts{pc.tree(), pc.interfaces(), pc.storage(), pc.wmi(), serviceDebug, pc.eventLog(), pc.volumeNames()}};
  SimProcessErrorMode serviceErrorMode;
  HostPorts hostPorts{kernel.ipc(), kernel.threads(), kernel.scm(), kernel.clock(), serviceDebug, serviceErrorMode};
  std::unique_ptr<Thread> serviceProcess;
  std::unique_ptr<CHolvaraApp> app;
};

}  // namespace holvara
