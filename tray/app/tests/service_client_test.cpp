#include "tray/app/service_client.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "common/text_field.h"
#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_kernel.h"

namespace holvara {
namespace {

std::vector<std::uint8_t> Bytes(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return {bytes, bytes + size};
}

std::vector<std::uint8_t> Value(std::uint32_t value) { return Bytes(&value, sizeof(value)); }

ServiceRequest Request(std::uint32_t command, std::uint16_t index = 0) {
  ServiceRequest request{};
  request.command = command;
  request.index = index;
  return request;
}

class ServiceClientTest : public ::testing::Test {
 protected:
  void Respond(SimIpc::Responder responder) {
    kernel.ipc().AttachResponder(kPipeName, kFinishedEventName, std::move(responder));
  }

  SimKernel kernel;
  RecordingDebugOutput debug;
  ClientPorts ports{kernel.ipc(), kernel.clock(), debug};
  ServiceClient client{ports};
};

TEST_F(ServiceClientTest, MissingServiceFailsAfterTwentyOneAttemptsOverFortySeconds) {
  EXPECT_FALSE(client.Send(Request(kDEVICE_INIT)));
  EXPECT_EQ(kernel.NowMs(), 40000u);
  EXPECT_EQ(debug.texts(), std::vector<std::string>{"AnotherError\n"});
  EXPECT_TRUE(kernel.ipc().EventExists(kFinishedEventName));

  EXPECT_EQ(client.ReadCount(), 0);
  EXPECT_FALSE(kernel.ipc().EventExists(kFinishedEventName));
}

TEST_F(ServiceClientTest, DeniedPipeReportsAccessDenied) {
  Respond([](const ServiceRequest&) { return Value(1); });
  kernel.ipc().DenyAccess(kPipeName, true);

  EXPECT_FALSE(client.Send(Request(kDEVICE_RESCAN)));
  EXPECT_EQ(kernel.NowMs(), 40000u);
  EXPECT_EQ(debug.texts(), std::vector<std::string>{"ERROR_ACCESS_DENIED\n"});
  EXPECT_EQ(client.ReadResult(), 0u);
}

TEST_F(ServiceClientTest, PipeBusyForEverIsGivenUpAfterFortySeconds) {
  Respond([](const ServiceRequest&) { return Value(1); });
  const auto holder = kernel.ipc().OpenPipe(kPipeName);
  ASSERT_TRUE(holder.pipe);

  EXPECT_FALSE(client.Send(Request(kDEVICE_RESCAN)));
  EXPECT_EQ(kernel.NowMs(), 40000u);
  EXPECT_EQ(debug.texts(), std::vector<std::string>{"AnotherError\n"});
}

// The simulated system, except that each time the pipe becomes free another client takes it
// first and holds it for 10 ms, as a burst of exchanges from another thread does.
class RivalledIpc : public Ipc {
 public:
  RivalledIpc(SimKernel& kernel, int rivals) : kernel_(kernel), rivals_(rivals) {}

  // Starts a rival's connection.
  void TakeForAMoment() {
    auto rival = std::make_shared<PipeOpenResult>(kernel_.ipc().OpenPipe(kPipeName));
    SimKernel& kernel = kernel_;
    kernel_.threads().Start([&kernel, rival] {
      kernel.clock().SleepMs(10);
      rival->pipe.reset();
      return 0u;
    });
  }

  std::unique_ptr<Event> CreateNamedEvent(std::string_view name) override {
    return kernel_.ipc().CreateNamedEvent(name);
  }
  PipeOpenResult OpenPipe(std::string_view name) override { return kernel_.ipc().OpenPipe(name); }
  bool WaitForPipe(std::string_view name, std::uint32_t timeoutMs) override {
    const bool free = kernel_.ipc().WaitForPipe(name, timeoutMs);
    if (free && rivals_ > 0) {
      --rivals_;
      TakeForAMoment();
    }
    return free;
  }
  std::unique_ptr<Event> OpenNamedEvent(std::string_view name) override { return kernel_.ipc().OpenNamedEvent(name); }
  std::unique_ptr<Event> CreateUnnamedEvent() override { return kernel_.ipc().CreateUnnamedEvent(); }
  PipeCreateResult CreatePipe(std::string_view name, std::span<const AccessEntry> access) override {
    return kernel_.ipc().CreatePipe(name, access);
  }

 private:
  SimKernel& kernel_;
  int rivals_;
};

TEST_F(ServiceClientTest, PipeTakenByOtherClientsEachTimeItFreesUpDoesNotUseUpTheRetries) {
  Respond([](const ServiceRequest& request) { return Value(request.command == kDEVICE_RESCAN ? 7 : 0); });
  RivalledIpc ipc(kernel, 30);
  ServiceClient rivalled(ClientPorts{ipc, kernel.clock(), debug});
  ipc.TakeForAMoment();

  EXPECT_TRUE(rivalled.Send(Request(kDEVICE_RESCAN)));
  EXPECT_EQ(rivalled.ReadResult(), 7u);
  EXPECT_EQ(kernel.NowMs(), 310u);
  EXPECT_TRUE(debug.texts().empty());
}

TEST_F(ServiceClientTest, ProbeOfMissingPipeGivesUpAfterTwelveAttemptsSilently) {
  EXPECT_FALSE(client.ProbePipe());
  EXPECT_EQ(kernel.NowMs(), 550u);
  EXPECT_TRUE(debug.texts().empty());
  EXPECT_EQ(ProbeService(ports), 0u);
}

TEST_F(ServiceClientTest, ProbeOpensAndClosesWithoutWritingOrTheEvent) {
  std::vector<ServiceRequest> seen;
  bool eventDuringProbe = true;
  Respond([&](const ServiceRequest& request) {
    seen.push_back(request);
    eventDuringProbe = kernel.ipc().EventExists(kFinishedEventName);
    return Value(0);
  });

  EXPECT_EQ(ProbeService(ports), 1u);
  EXPECT_EQ(kernel.NowMs(), 0u);
  EXPECT_FALSE(eventDuringProbe);
  ASSERT_EQ(seen.size(), 1u);
  const ServiceRequest empty{};
  EXPECT_EQ(std::memcmp(&seen[0], &empty, sizeof(empty)), 0);
}

TEST_F(ServiceClientTest, ReadsWithoutSendTouchNothing) {
  Respond([](const ServiceRequest&) { return Value(7); });

  EXPECT_EQ(client.ReadCount(), 0);
  EXPECT_EQ(client.ReadResult(), 0u);
  DeviceRecord record;
  std::memset(&record, 0xAB, sizeof(record));
  EXPECT_TRUE(client.ReadRecord(record));
  EXPECT_EQ(record.present, 0xABABABABu);
  EXPECT_EQ(kernel.ipc().Connections(kPipeName), 0);
}

TEST_F(ServiceClientTest, ShortReplyGivesLowByteAsCountAndWholeValueAsResult) {
  Respond([](const ServiceRequest&) { return std::vector<std::uint8_t>{0x05, 0x01, 0x00, 0x00}; });

  ASSERT_TRUE(client.Send(Request(kDEVICE_INIT)));
  EXPECT_EQ(client.ReadCount(), 5);
  ASSERT_TRUE(client.Send(Request(kDEVICE_INIT)));
  EXPECT_EQ(client.ReadResult(), 261u);
}

TEST_F(ServiceClientTest, EachExchangeOpensAndReleasesItsOwnHandles) {
  std::vector<std::uint16_t> indexes;
  Respond([&](const ServiceRequest& request) {
    indexes.push_back(request.index);
    DeviceRecord record{};
    record.present = 1;
    record.deviceNumber = static_cast<std::uint8_t>(request.index + 10);
    CopyToField(record.hardwareId, "SCSI\\DiskVendor");
    return Bytes(&record, sizeof(record));
  });

  for (std::uint16_t index : {0, 1}) {
    ASSERT_TRUE(client.Send(Request(kDEVICE_INFO, index)));
    DeviceRecord record{};
    EXPECT_TRUE(client.ReadRecord(record));
    EXPECT_EQ(record.present, 1u);
    EXPECT_EQ(record.deviceNumber, index + 10);
    EXPECT_EQ(ReadField(record.hardwareId), "SCSI\\DiskVendor");
    EXPECT_FALSE(kernel.ipc().EventExists(kFinishedEventName));
  }
  EXPECT_EQ(indexes, (std::vector<std::uint16_t>{0, 1}));
  EXPECT_EQ(kernel.ipc().Connections(kPipeName), 2);
}

TEST_F(ServiceClientTest, ServerVanishingMidRequestEndsTheWaitAsAFailedExchange) {
  Respond([](const ServiceRequest&) { return Value(1); });
  kernel.ipc().BreakNextExchange(kPipeName);

  EXPECT_FALSE(client.Send(Request(kDEVICE_REMOVE)));
  EXPECT_LT(kernel.NowMs(), 1000u);
  EXPECT_EQ(client.ReadResult(), 0u);
  EXPECT_FALSE(kernel.ipc().EventExists(kFinishedEventName));
}

// A server end that takes its time, as a removal that waits a minute for Plug and Play.
TEST_F(ServiceClientTest, LongRequestIsWaitedForToTheEnd) {
  auto stop = kernel.ipc().CreateUnnamedEvent();
  auto created = kernel.ipc().CreatePipe(kPipeName, {});
  ASSERT_TRUE(created.pipe);
  auto server = kernel.threads().Start([&] {
    ServerPipe& pipe = *created.pipe;
    pipe.WaitForClient(*stop);
    ServiceRequest request{};
    pipe.Read(std::as_writable_bytes(std::span(&request, 1)), kWaitForever, *stop);
    kernel.clock().SleepMs(60000);
    kernel.ipc().OpenNamedEvent(kFinishedEventName)->Set();
    const std::uint32_t removed = 1;
    pipe.Write(std::as_bytes(std::span(&removed, 1)), kWaitForever);
    pipe.AwaitClientClose(kWaitForever, *stop);
    pipe.Disconnect();
    return 0u;
  });

  EXPECT_TRUE(client.Send(Request(kDEVICE_REMOVE)));
  EXPECT_EQ(client.ReadResult(), 1u);
  EXPECT_GE(kernel.NowMs(), 60000u);
  EXPECT_TRUE(server->Wait(kWaitForever));
}

}  // namespace
}  // namespace holvara
