// A service process on the simulated system, with device work that records its calls.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/text_field.h"
#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_kernel.h"
#include "platform/sim/sim_system.h"
#include "service/device_work.h"
#include "service/host/service_host.h"
#include "tray/app/service_client.h"

namespace holvara {

class RecordingDeviceWork : public DeviceWork {
 public:
  explicit RecordingDeviceWork(Clock& clock) : clock_(clock) {}

  std::uint32_t Refresh(std::uint32_t searchCode) override {
    Log("Refresh " + std::to_string(searchCode));
    return 3;
  }
  DeviceRecord Record(std::uint8_t index) override {
    Log("Record " + std::to_string(index));
    DeviceRecord record{};
    record.present = 1;
    record.deviceNumber = index;
    // Far past the pipe's buffer, so that a record cut short shows.
    CopyToField(record.deviceObjectName, "\\Device\\Record" + std::to_string(index));
    return record;
  }
  std::uint32_t CheckBasicDisk(std::uint8_t diskNumber) override {
    Log("Basic " + std::to_string(diskNumber));
    return 1;
  }
  std::uint32_t Remove(std::string_view hardwareId, std::string_view deviceObjectName) override {
    Log("Remove " + std::string(hardwareId) + "|" + std::string(deviceObjectName));
    clock_.SleepMs(removeMs);
    return 1;
  }
  RemovalReport RemoveWithReport(std::string_view hardwareId, std::string_view deviceObjectName) override {
    Log("RemoveWithReport " + std::string(hardwareId) + "|" + std::string(deviceObjectName));
    clock_.SleepMs(removeMs);
    RemovalReport report{};
    report.vetoed = 1;
    report.vetoType = kVetoOutstandingOpen;
    CopyToField(report.vetoName, "STORAGE\\Volume\\Held");
    report.programCount = 1;
    report.programs[0].processId = 16148;
    CopyToField(report.programs[0].imagePath, "C:\\Tools\\FanControl.exe");
    return report;
  }
  std::uint32_t Rescan() override {
    Log("Rescan");
    return 1;
  }

  std::vector<std::string> Calls() {
    std::lock_guard lock(mutex_);
    return calls_;
  }

  std::uint32_t removeMs = 0;

 private:
  void Log(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
  }

  Clock& clock_;
  std::mutex mutex_;
  std::vector<std::string> calls_;
};

class HostTest : public ::testing::Test {
 protected:
  // A test that failed half-way still ends its service before the kernel goes.
  ~HostTest() override {
    if (!process_ || process_->Wait(0)) return;
    kernel.scm().SendControl(kServiceControlStop);
    process_->Wait(kWaitForever);
  }

  // Starts the process entry on a thread of its own; the test's thread plays the clients and
  // the Service Control Manager.
  void StartProcess() {
    process_ =
        kernel.threads().Start([this] { return static_cast<std::uint32_t>(RunServiceProcess(hostPorts, work)); });
  }
  void StartService() {
    StartProcess();
    ASSERT_TRUE(kernel.scm().WaitForState(kServiceRunning, 10000));
  }
  // Sends the stop control and waits for the process entry to return; its result.
  std::uint32_t StopService() {
    kernel.scm().SendControl(kServiceControlStop);
    return EndOfProcess();
  }
  std::uint32_t EndOfProcess() {
    EXPECT_TRUE(process_->Wait(kWaitForever));
    return process_->ExitCode();
  }

  static ServiceRequest Request(std::uint32_t command, std::uint16_t index = 0) {
    ServiceRequest request{};
    request.command = command;
    request.index = index;
    return request;
  }

  // A client on a thread of its own that asks for a removal and keeps the service's answer.
  std::unique_ptr<Thread> StartRemovalClient(std::uint32_t& reply) {
    return kernel.threads().Start([this, &reply] {
      ServiceClient client(clientPorts);
      client.Send(Request(kDEVICE_REMOVE));
      reply = client.ReadResult();
      return 0u;
    });
  }

  SimKernel kernel;
  RecordingDebugOutput debug;
  RecordingDeviceWork work{kernel.clock()};
  SimProcessErrorMode errorMode;
  HostPorts hostPorts{kernel.ipc(), kernel.threads(), kernel.scm(), kernel.clock(), debug, errorMode};
  RecordingDebugOutput clientDebug;
  ClientPorts clientPorts{kernel.ipc(), kernel.clock(), clientDebug};

 private:
  std::unique_ptr<Thread> process_;
};

}  // namespace holvara
