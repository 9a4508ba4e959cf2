#include "service/host/service_host.h"

#include <gtest/gtest.h>

#include "common/protocol.h"
#include "service/host/pipe_access.h"
#include "service/host/status_reporter.h"
#include "service/host/tests/host_fixture.h"

namespace holvara {
namespace {

using States = std::vector<std::uint32_t>;

TEST_F(HostTest, StartAndStopReportTheFourStatesAndCloseThePipe) {
  StartService();
  EXPECT_TRUE(kernel.ipc().PipeExists(kPipeName));
  EXPECT_EQ(StopService(), 0u);

  EXPECT_FALSE(kernel.ipc().PipeExists(kPipeName));
  const auto reports = kernel.scm().Reports();
  ASSERT_EQ(reports.size(), 4u);
  struct Expected {
    std::uint32_t state, accepted, checkPoint, waitHint;
  };
  const Expected expected[] = {
      {kServiceStartPending, 0, 1, 3000},
      {kServiceRunning, 5, 0, 0},
      {kServiceStopPending, 5, 1, 3000},
      {kServiceStopped, 5, 0, 0},
  };
  for (std::size_t i = 0; i < reports.size(); ++i) {
    SCOPED_TRACE(i);
    const ServiceStatus& status = reports[i].status;
    EXPECT_EQ(status.serviceType, kServiceWin32OwnProcess);
    EXPECT_EQ(status.currentState, expected[i].state);
    EXPECT_EQ(status.controlsAccepted, expected[i].accepted);
    EXPECT_EQ(status.checkPoint, expected[i].checkPoint);
    EXPECT_EQ(status.waitHint, expected[i].waitHint);
    EXPECT_EQ(status.win32ExitCode, 0u);
    EXPECT_EQ(status.serviceSpecificExitCode, 0u);
  }
  EXPECT_EQ(kernel.scm().DispatchedName(), kServiceName);
  EXPECT_TRUE(errorMode.criticalErrorsFail);
}

TEST_F(HostTest, ShutdownStopsLikeStop) {
  StartService();
  kernel.scm().SendControl(kServiceControlShutdown);
  EXPECT_EQ(EndOfProcess(), 0u);
  EXPECT_EQ(kernel.scm().AcceptedStates(),
            (States{kServiceStartPending, kServiceRunning, kServiceStopPending, kServiceStopped}));
}

TEST_F(HostTest, InterrogateIsAnsweredAfterOneSecondWithTheCurrentState) {
  StartService();
  const std::uint64_t sent = kernel.NowMs();
  kernel.scm().SendControl(kServiceControlInterrogate);
  kernel.clock().SleepMs(1500);

  const auto reports = kernel.scm().Reports();
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[2].atMs - sent, 1000u);
  EXPECT_EQ(reports[2].status.currentState, kServiceRunning);
  EXPECT_EQ(reports[2].status.checkPoint, 0u);
  StopService();
}

TEST_F(HostTest, RefusedReportIsRetriedEvery200Ms) {
  kernel.scm().FailStatusReports(3);
  StartService();

  const auto reports = kernel.scm().Reports();
  ASSERT_GE(reports.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(reports[i].status.currentState, kServiceStartPending);
    EXPECT_EQ(reports[i].atMs, 200 * i);
    EXPECT_EQ(reports[i].accepted, i == 3);
  }
  StopService();
}

TEST(StatusReporterTest, ServiceSpecificCodeTurnsTheWin32CodeInto1066) {
  struct Case {
    std::uint32_t win32, specific, reported;
  };
  for (const Case& c : {Case{0, 0, 0}, Case{5, 0, 5}, Case{0, 9, 1066}, Case{5, 9, 1066}}) {
    SCOPED_TRACE(testing::Message() << c.win32 << "/" << c.specific);
    SimKernel kernel;
    StatusReporter reporter(kernel.scm(), kernel.clock(), [] {});
    reporter.Report(kServiceStopped, c.win32, c.specific, 0, 0);
    const auto reports = kernel.scm().Reports();
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports[0].status.win32ExitCode, c.reported);
    EXPECT_EQ(reports[0].status.serviceSpecificExitCode, c.specific);
  }
}

TEST_F(HostTest, ReportsThatAlwaysFailRunTheStopRoutineOnceAndEnd) {
  kernel.scm().FailStatusReports(1000);
  StartProcess();
  EXPECT_EQ(EndOfProcess(), 0u);

  const auto reports = kernel.scm().Reports();
  ASSERT_EQ(reports.size(), 12u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(reports[i].status.currentState, kServiceStartPending);
    EXPECT_EQ(reports[6 + i].status.currentState, kServiceStopped);
  }
  EXPECT_EQ(reports[11].atMs, 2000u);
  EXPECT_FALSE(kernel.ipc().PipeExists(kPipeName));
}

TEST_F(HostTest, StartedByHandEndsAtOnceWithZeroAndSilently) {
  kernel.scm().StartedByHand();
  StartProcess();
  EXPECT_EQ(EndOfProcess(), 0u);
  EXPECT_TRUE(kernel.scm().Reports().empty());
  EXPECT_TRUE(debug.texts().empty());
}

TEST_F(HostTest, FailedHandlerRegistrationReportsNothing) {
  kernel.scm().FailRegistration();
  StartProcess();
  EXPECT_EQ(EndOfProcess(), 0u);
  EXPECT_TRUE(kernel.scm().Reports().empty());
  EXPECT_FALSE(kernel.ipc().PipeExists(kPipeName));
}

TEST_F(HostTest, PipeCreationFailureReportsStoppedWithTheErrorNotRunning) {
  struct Case {
    const char* name;
    bool nameTakenByAnotherProcess;
    std::uint32_t expectedExitCode;
  };
  for (const Case& c : {Case{"creation refused", false, 1450u}, Case{"name taken", true, 5u}}) {
    SCOPED_TRACE(c.name);
    SimKernel kernel;
    RecordingDeviceWork work(kernel.clock());
    SimProcessErrorMode errorMode;
    HostPorts ports{kernel.ipc(), kernel.threads(), kernel.scm(), kernel.clock(), debug, errorMode};
    PipeCreateResult squatter;
    if (c.nameTakenByAnotherProcess) {
      squatter = kernel.ipc().CreatePipe(kPipeName, {});
    } else {
      kernel.ipc().FailNextCreation(kPipeName, 1450);
    }

    EXPECT_EQ(RunServiceProcess(ports, work), 0);

    const auto reports = kernel.scm().Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].status.currentState, kServiceStartPending);
    EXPECT_EQ(reports[1].status.currentState, kServiceStopped);
    EXPECT_EQ(reports[1].status.win32ExitCode, c.expectedExitCode);
  }
}

// The stopped state is reported only once the service has let go of the pipe, so a start that
// follows it at once, as the Service Control Manager allows, finds the pipe free and serves.
TEST_F(HostTest, StartRightAfterAStopServesAgain) {
  work.removeMs = 10000;
  StartService();
  std::uint32_t removed = 0;
  auto removal = StartRemovalClient(removed);
  kernel.clock().SleepMs(1000);
  kernel.scm().SendControl(kServiceControlStop);
  ASSERT_TRUE(kernel.scm().WaitForState(kServiceStopped, 60000));
  EXPECT_EQ(kernel.NowMs(), 10000u);

  RecordingDeviceWork nextWork(kernel.clock());
  auto next =
      kernel.threads().Start([&] { return static_cast<std::uint32_t>(RunServiceProcess(hostPorts, nextWork)); });
  ServiceClient client(clientPorts);
  ASSERT_TRUE(client.Send(Request(kDEVICE_INIT)));
  EXPECT_EQ(client.ReadCount(), 3);
  EXPECT_EQ(EndOfProcess(), 0u);
  ASSERT_TRUE(removal->Wait(kWaitForever));
  EXPECT_EQ(removed, 1u);

  kernel.scm().SendControl(kServiceControlStop);
  ASSERT_TRUE(next->Wait(kWaitForever));
  EXPECT_EQ(kernel.scm().AcceptedStates(),
            (States{kServiceStartPending, kServiceRunning, kServiceStopPending, kServiceStopped, kServiceStartPending,
                    kServiceRunning, kServiceStopPending, kServiceStopped}));
}

TEST_F(HostTest, PipeGrantsUsersNeitherSecurityChangesNorDeletion) {
  StartService();
  const auto access = kernel.ipc().AccessList(kPipeName);
  ASSERT_EQ(access.size(), 3u);
  EXPECT_EQ(access[0].trustee, WellKnownTrustee::kLocalSystem);
  EXPECT_EQ(access[0].mask, 0x1F01FFu);
  EXPECT_EQ(access[1].trustee, WellKnownTrustee::kAdministrators);
  EXPECT_EQ(access[1].mask, 0x1F01FFu);
  EXPECT_EQ(access[2].trustee, WellKnownTrustee::kUsers);
  EXPECT_EQ(access[2].mask, 0x12019Fu);
  constexpr std::uint32_t kDelete = 0x10000, kWriteDac = 0x40000, kWriteOwner = 0x80000;
  EXPECT_EQ(access[2].mask & (kDelete | kWriteDac | kWriteOwner), 0u);
  StopService();
}

}  // namespace
}  // namespace holvara
