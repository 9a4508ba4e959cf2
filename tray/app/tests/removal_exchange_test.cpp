// The removal as the tray and the command-line tool ask for it, against a service that knows
// command 5 and one that predates it.
#include "tray/app/removal_exchange.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/text_field.h"
#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_kernel.h"

namespace holvara {
namespace {

template <typename T>
std::vector<std::uint8_t> Bytes(const T& value) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
  return {bytes, bytes + sizeof value};
}

DeviceListEntry Device() {
  DeviceListEntry entry{};
  entry.inUse = 1;
  entry.kind = kSingleDevice;
  entry.serviceIndex = 2;
  CopyToField(entry.hardwareId, "SCSI\\DiskHitachi");
  CopyToField(entry.deviceObjectName, "\\Device\\Scsi\\si3132Port0Path0Target1Lun0");
  return entry;
}

class RemovalExchangeTest : public ::testing::Test {
 protected:
  // A service that answers command 3 with removed and, when it knows command 5, with a report
  // of one program; an old one drops command 5 as it drops every command it does not know.
  void StartService(bool knowsReports) {
    kernel.ipc().AttachResponder(kPipeName, kFinishedEventName, [this, knowsReports](const ServiceRequest& request) {
      commands.push_back(request.command);
      EXPECT_EQ(ReadField(request.deviceObjectName), "\\Device\\Scsi\\si3132Port0Path0Target1Lun0");
      if (request.command == kDEVICE_REMOVE) return Bytes(std::uint32_t{removed});
      if (request.command != kDEVICE_REMOVE_REPORT || !knowsReports) return std::vector<std::uint8_t>{};
      RemovalReport report{};
      report.vetoed = 1;
      report.vetoType = kVetoOutstandingOpen;
      report.programCount = programCount;
      report.programs[0].processId = 16148;
      CopyToField(report.programs[0].imagePath, "C:\\Tools\\FanControl.exe");
      return Bytes(report);
    });
  }

  SimKernel kernel;
  RecordingDebugOutput debug;
  ClientPorts ports{kernel.ipc(), kernel.clock(), debug};
  std::vector<std::uint32_t> commands;
  std::uint32_t removed = 1;
  std::uint32_t programCount = 1;
};

TEST_F(RemovalExchangeTest, ServiceThatKnowsReportsGivesTheReason) {
  StartService(true);
  const RemovalReport report = RequestRemoval(ports, Device());
  EXPECT_EQ(commands, std::vector<std::uint32_t>{kDEVICE_REMOVE_REPORT});
  EXPECT_EQ(report.vetoType, kVetoOutstandingOpen);
  EXPECT_EQ(report.programCount, 1u);
  EXPECT_EQ(ReadField(report.programs[0].imagePath), "C:\\Tools\\FanControl.exe");
}

// The old service sets no event for command 5, so a client that only waited on it would wait for
// ever; the dropped connection is seen at the first alive check and command 3 follows at once.
TEST_F(RemovalExchangeTest, ServiceWithoutCommandFiveIsAskedWithCommandThreeAtOnce) {
  for (const std::uint32_t answer : {1u, 0u}) {
    SCOPED_TRACE(answer);
    commands.clear();
    removed = answer;
    StartService(false);
    const std::uint64_t start = kernel.NowMs();
    const RemovalReport report = RequestRemoval(ports, Device());
    EXPECT_EQ(commands, (std::vector<std::uint32_t>{kDEVICE_REMOVE_REPORT, kDEVICE_REMOVE}));
    EXPECT_EQ(report.result, answer);
    EXPECT_EQ(report.vetoed, 0u);
    EXPECT_EQ(report.programCount, 0u);
    // Two alive-check slices at most, and command 3's pause before its read.
    EXPECT_LE(kernel.NowMs() - start, 1000u);
    kernel.ipc().DetachResponder(kPipeName);
  }
}

// A service that cannot be reached is not tried a second time with command 3 (another 40 s).
TEST_F(RemovalExchangeTest, UnreachableServiceIsNotAskedAgain) {
  const RemovalReport report = RequestRemoval(ports, Device());
  EXPECT_EQ(report.result, 0u);
  EXPECT_EQ(report.vetoed, 0u);
  EXPECT_LE(kernel.NowMs(), 41000u);
}

TEST_F(RemovalExchangeTest, AProgramCountPastTheRecordIsClamped) {
  programCount = 0xFFFFFFFF;
  StartService(true);
  EXPECT_EQ(RequestRemoval(ports, Device()).programCount, kMaxBlockingPrograms);
}

}  // namespace
}  // namespace holvara
