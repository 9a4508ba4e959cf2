#include "service/host/connection_server.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/protocol.h"
#include "common/text_field.h"
#include "service/host/tests/host_fixture.h"

namespace holvara {
namespace {

using Calls = std::vector<std::string>;

TEST_F(HostTest, EachCommandRunsItsWorkAndRepliesItsValue) {
  StartService();
  ServiceClient client(clientPorts);

  struct Case {
    ServiceRequest request;
    std::uint32_t reply;
    std::string call;
  };
  ServiceRequest init = Request(kDEVICE_INIT);
  init.searchCode = 0x40;
  ServiceRequest remove = Request(kDEVICE_REMOVE, 7);
  CopyToField(remove.hardwareId, "SCSI\\DiskMaker___Model");
  CopyToField(remove.deviceObjectName, "\\Device\\00000042");
  const Case cases[] = {
      {init, 3, "Refresh 64"},
      {Request(kDEVICE_BASIC, 0x0102), 1, "Basic 2"},
      {remove, 1, "Remove SCSI\\DiskMaker___Model|\\Device\\00000042"},
      {Request(kDEVICE_RESCAN), 1, "Rescan"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    ASSERT_TRUE(client.Send(c.request));
    EXPECT_EQ(client.ReadResult(), c.reply);
    EXPECT_EQ(work.Calls().back(), c.call);
  }
  EXPECT_EQ(debug.Count("kDEVICE_REMOVE WAIT_OBJECT\n"), 1u);
  StopService();
}

TEST_F(HostTest, RemovalWithReportRepliesTheWholeReportAfterTheSignal) {
  StartService();
  auto finished = kernel.ipc().CreateNamedEvent(kFinishedEventName);
  auto opened = kernel.ipc().OpenPipe(kPipeName);
  ASSERT_TRUE(opened.pipe);
  ServiceRequest request = Request(kDEVICE_REMOVE_REPORT, 7);
  CopyToField(request.hardwareId, "SCSI\\DiskMaker___Model");
  CopyToField(request.deviceObjectName, "\\Device\\00000042");
  opened.pipe->Write(std::as_bytes(std::span(&request, 1)));

  ASSERT_TRUE(finished->Wait(kWaitForever));
  RemovalReport report{};
  const auto buffer = std::as_writable_bytes(std::span(&report, 1));
  std::size_t filled = 0;
  while (filled < buffer.size()) {
    const std::size_t got = opened.pipe->Read(buffer.subspan(filled));
    if (got == 0) break;
    filled += got;
  }
  EXPECT_EQ(filled, kReportReplySize);
  EXPECT_EQ(report.vetoType, kVetoOutstandingOpen);
  EXPECT_EQ(ReadField(report.programs[0].imagePath), "C:\\Tools\\FanControl.exe");
  EXPECT_EQ(work.Calls(), Calls{"RemoveWithReport SCSI\\DiskMaker___Model|\\Device\\00000042"});
  // Command 3's debug text marks its own worker's end only.
  EXPECT_EQ(debug.Count("kDEVICE_REMOVE WAIT_OBJECT\n"), 0u);
  opened.pipe.reset();
  StopService();
}

// No worker thread, no work: the reply is 0 rather than an earlier request's value, the finished
// signal still comes, and the removal's debug text, which means its worker ended, does not.
TEST_F(HostTest, WorkerThatCannotStartRepliesZeroAndWritesNoRemovalText) {
  StartService();
  ServiceClient client(clientPorts);
  ASSERT_TRUE(client.Send(Request(kDEVICE_REMOVE)));
  ASSERT_EQ(client.ReadResult(), 1u);

  kernel.threads().FailStarts(1);
  ASSERT_TRUE(client.Send(Request(kDEVICE_REMOVE)));
  EXPECT_EQ(client.ReadResult(), 0u);

  EXPECT_EQ(work.Calls().size(), 1u);
  EXPECT_EQ(debug.Count("kDEVICE_REMOVE WAIT_OBJECT\n"), 1u);
  StopService();
}

TEST_F(HostTest, RecordRequestUsesTheLowByteOfTheIndex) {
  StartService();
  ServiceClient client(clientPorts);

  ASSERT_TRUE(client.Send(Request(kDEVICE_INFO, 0x0119)));
  DeviceRecord record{};
  client.ReadRecord(record);

  EXPECT_EQ(work.Calls(), Calls{"Record 25"});
  EXPECT_EQ(record.present, 1u);
  EXPECT_EQ(record.deviceNumber, 25);
  StopService();
}

TEST_F(HostTest, TextsWithoutTerminatorReachTheWorkCutAtTheirField) {
  StartService();
  ServiceRequest request = Request(kDEVICE_REMOVE);
  std::memset(request.hardwareId, 'H', sizeof(request.hardwareId));
  std::memset(request.deviceObjectName, 'D', sizeof(request.deviceObjectName));
  ServiceClient client(clientPorts);

  ASSERT_TRUE(client.Send(request));
  client.ReadResult();

  EXPECT_EQ(work.Calls(), Calls{"Remove " + std::string(64, 'H') + "|" + std::string(128, 'D')});
  StopService();
}

TEST_F(HostTest, ProbeIsServedAsEmptyRefresh) {
  StartService();
  EXPECT_EQ(ProbeService(clientPorts), 1u);
  kernel.clock().SleepMs(10);
  EXPECT_EQ(work.Calls(), Calls{"Refresh 0"});
  StopService();
}

TEST_F(HostTest, UnknownCommandGetsNeitherSignalNorReply) {
  StartService();
  auto finished = kernel.ipc().CreateNamedEvent(kFinishedEventName);
  auto opened = kernel.ipc().OpenPipe(kPipeName);
  ASSERT_TRUE(opened.pipe);
  const ServiceRequest request = Request(kLastCommand + 1);
  opened.pipe->Write(std::as_bytes(std::span(&request, 1)));

  std::byte reply[4]{};
  EXPECT_EQ(opened.pipe->Read(reply), 0u);
  EXPECT_FALSE(opened.pipe->ServerAlive());
  EXPECT_FALSE(finished->Wait(0));
  EXPECT_TRUE(work.Calls().empty());
  StopService();
}

// A client that sends nothing and keeps its end open is served as an empty request after the
// bound, not held on to for ever.
TEST_F(HostTest, SilentClientIsServedAsEmptyRefreshAfterFiveSeconds) {
  StartService();
  auto opened = kernel.ipc().OpenPipe(kPipeName);
  ASSERT_TRUE(opened.pipe);
  const std::uint64_t connected = kernel.NowMs();

  std::byte reply[4]{};
  EXPECT_EQ(opened.pipe->Read(reply), 4u);
  EXPECT_EQ(kernel.NowMs() - connected, ConnectionServer::kClientTimeoutMs);
  EXPECT_EQ(work.Calls(), Calls{"Refresh 0"});
  opened.pipe.reset();
  StopService();
}

// A client that writes only the start of a request and then waits for the finished signal, as
// every client does, is served once its bytes stop coming, with the rest of the request zero;
// the reply still has most of the bound to reach it.
TEST_F(HostTest, ShortRequestIsServedAfterAPauseAndItsReplyArrives) {
  StartService();
  auto finished = kernel.ipc().CreateNamedEvent(kFinishedEventName);
  auto opened = kernel.ipc().OpenPipe(kPipeName);
  ASSERT_TRUE(opened.pipe);
  ServiceRequest request = Request(kDEVICE_INIT);
  request.searchCode = 0x40;
  const std::uint64_t sent = kernel.NowMs();
  opened.pipe->Write(std::as_bytes(std::span(&request, 1)).first(10));
  opened.pipe->Flush();

  ASSERT_TRUE(finished->Wait(kWaitForever));
  EXPECT_LT(kernel.NowMs() - sent, 1000u);
  std::byte reply[4]{};
  EXPECT_EQ(opened.pipe->Read(reply), 4u);
  EXPECT_EQ(reply[0], std::byte{3});
  EXPECT_EQ(work.Calls(), Calls{"Refresh 64"});
  opened.pipe.reset();
  StopService();
}

TEST_F(HostTest, ClientThatNeverReadsHoldsTheServiceAtMostFiveSeconds) {
  StartService();
  auto finished = kernel.ipc().CreateNamedEvent(kFinishedEventName);
  auto idle = kernel.ipc().OpenPipe(kPipeName);
  ASSERT_TRUE(idle.pipe);
  const ServiceRequest request = Request(kDEVICE_RESCAN);
  idle.pipe->Write(std::as_bytes(std::span(&request, 1)));
  ASSERT_TRUE(finished->Wait(kWaitForever));
  const std::uint64_t signalled = kernel.NowMs();

  ServiceClient next(clientPorts);
  ASSERT_TRUE(next.Send(Request(kDEVICE_INIT)));
  EXPECT_EQ(next.ReadCount(), 3);
  // Busy until the bound let the idle client go.
  EXPECT_EQ(kernel.NowMs() - signalled, ConnectionServer::kClientTimeoutMs);
  StopService();
}

// The bound covers the whole connection: a client that neither writes nor reads is let go
// 5 s after it connected, not 5 s for the read and 5 s more for the reply.
TEST_F(HostTest, ClientThatNeitherWritesNorReadsHoldsThePipeFiveSecondsInAll) {
  StartService();
  auto idle = kernel.ipc().OpenPipe(kPipeName);
  ASSERT_TRUE(idle.pipe);
  const std::uint64_t connected = kernel.NowMs();

  ServiceClient next(clientPorts);
  ASSERT_TRUE(next.Send(Request(kDEVICE_INIT, 0)));
  EXPECT_EQ(next.ReadCount(), 3);
  EXPECT_EQ(kernel.NowMs() - connected, ConnectionServer::kClientTimeoutMs);
  StopService();
}

// The work itself does not count against the client's bound: a slow removal's reply is still
// delivered in full.
TEST_F(HostTest, LongWorkLeavesTheClientItsTimeToReadTheReply) {
  work.removeMs = 60000;
  StartService();
  ServiceClient client(clientPorts);
  ASSERT_TRUE(client.Send(Request(kDEVICE_REMOVE)));
  kernel.clock().SleepMs(1000);
  EXPECT_EQ(client.ReadResult(), 1u);
  StopService();
}

// The record is larger than the pipe's buffer, so its write still waits for the reader when
// the stop arrives; the request under way is served to the end all the same.
TEST_F(HostTest, StopWhileARecordIsDeliveredLetsTheWholeRecordThrough) {
  StartService();
  DeviceRecord record{};
  bool sent = false;
  auto client = kernel.threads().Start([&] {
    ServiceClient serviceClient(clientPorts);
    sent = serviceClient.Send(Request(kDEVICE_INFO, 7));
    kernel.clock().SleepMs(2000);
    serviceClient.ReadRecord(record);
    return 0u;
  });
  kernel.clock().SleepMs(1000);

  EXPECT_EQ(StopService(), 0u);
  ASSERT_TRUE(client->Wait(kWaitForever));
  EXPECT_TRUE(sent);
  EXPECT_EQ(record.deviceNumber, 7);
  EXPECT_EQ(ReadField(record.deviceObjectName), "\\Device\\Record7");
}

TEST_F(HostTest, StopEndsTheWaitForASilentClientAtOnce) {
  StartService();
  auto opened = kernel.ipc().OpenPipe(kPipeName);
  ASSERT_TRUE(opened.pipe);
  kernel.clock().SleepMs(1000);
  const std::uint64_t stopAt = kernel.NowMs();

  EXPECT_EQ(StopService(), 0u);
  EXPECT_EQ(kernel.NowMs(), stopAt);
  EXPECT_TRUE(work.Calls().empty());
  EXPECT_FALSE(opened.pipe->ServerAlive());
}

TEST_F(HostTest, SecondClientRetriesWhileTheFirstIsServedThenIsServed) {
  work.removeMs = 3000;
  StartService();
  std::uint32_t firstReply = 0;
  auto first = StartRemovalClient(firstReply);
  kernel.clock().SleepMs(10);

  ServiceClient second(clientPorts);
  ASSERT_TRUE(second.Send(Request(kDEVICE_INIT)));
  EXPECT_EQ(second.ReadCount(), 3);
  // Retried as soon as the first connection was let go, not at the next 2-second mark.
  EXPECT_EQ(kernel.NowMs(), 3000u);

  ASSERT_TRUE(first->Wait(kWaitForever));
  EXPECT_EQ(firstReply, 1u);
  EXPECT_EQ(kernel.ipc().Connections(kPipeName), 2);
  StopService();
}

// The stop is pending at once; the stopped state follows once the request was served and the
// pipe closed.
TEST_F(HostTest, RequestUnderWayWhenStopArrivesIsServedToTheEnd) {
  work.removeMs = 10000;
  StartService();
  std::uint32_t reply = 0;
  auto client = kernel.threads().Start([&] {
    ServiceClient serviceClient(clientPorts);
    serviceClient.Send(Request(kDEVICE_REMOVE));
    kernel.clock().SleepMs(3000);
    reply = serviceClient.ReadResult();
    return 0u;
  });
  kernel.clock().SleepMs(1000);

  kernel.scm().SendControl(kServiceControlStop);
  ASSERT_TRUE(kernel.scm().WaitForState(kServiceStopPending, 1000));
  EXPECT_EQ(kernel.NowMs(), 1000u);
  ASSERT_TRUE(kernel.scm().WaitForState(kServiceStopped, 60000));
  EXPECT_EQ(kernel.NowMs(), 10000u);
  EXPECT_EQ(EndOfProcess(), 0u);
  EXPECT_EQ(kernel.NowMs(), 10000u);
  EXPECT_FALSE(kernel.ipc().PipeExists(kPipeName));

  ASSERT_TRUE(client->Wait(kWaitForever));
  EXPECT_EQ(reply, 1u);
  EXPECT_EQ(kernel.scm().AcceptedStates().back(), kServiceStopped);
}

}  // namespace
}  // namespace holvara
