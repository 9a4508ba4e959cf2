#include "platform/sim/sim_kernel.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace holvara {
namespace {

TEST(SimKernelTest, TimeMovesOnlyWhenEveryThreadWaitsAndThenToTheEarliestDeadline) {
  SimKernel kernel;
  auto signal = kernel.ipc().CreateUnnamedEvent();
  std::mutex mutex;
  std::vector<std::pair<char, std::uint64_t>> wakeUps;
  const auto note = [&](char who) {
    std::lock_guard lock(mutex);
    wakeUps.emplace_back(who, kernel.NowMs());
  };

  auto slow = kernel.threads().Start([&] {
    kernel.clock().SleepMs(40000);
    note('S');
    return 7u;
  });
  auto fast = kernel.threads().Start([&] {
    kernel.clock().SleepMs(100);
    note('F');
    signal->Set();
    return 0u;
  });

  EXPECT_TRUE(signal->Wait(5000));
  note('T');
  EXPECT_TRUE(slow->Wait(kWaitForever));
  EXPECT_EQ(slow->ExitCode(), 7u);
  EXPECT_EQ(wakeUps, (std::vector<std::pair<char, std::uint64_t>>{{'F', 100}, {'T', 100}, {'S', 40000}}));
}

TEST(SimKernelTest, TimedWaitEndsAtItsDeadlineWhenNothingHappens) {
  SimKernel kernel;
  auto event = kernel.ipc().CreateNamedEvent("Global\\Test");
  EXPECT_FALSE(event->Wait(250));
  EXPECT_EQ(kernel.NowMs(), 250u);
  auto worker = kernel.threads().Start([] { return 0u; });
  EXPECT_TRUE(worker->Wait(kWaitForever));
  EXPECT_EQ(kernel.NowMs(), 250u);
}

// What the server wrote and the client has not read yet: lost when the server disconnects the
// client, still readable when the server merely closes its end.
TEST(SimKernelTest, UnreadReplySurvivesTheServerClosingButNotDisconnecting) {
  struct Case {
    const char* name;
    bool disconnect;
    std::size_t readable;
  };
  for (const Case& c : {Case{"disconnect", true, 0}, Case{"close", false, 4}}) {
    SCOPED_TRACE(c.name);
    constexpr char kTestPipe[] = R"(\\.\pipe\Test)";
    SimKernel kernel;
    auto stop = kernel.ipc().CreateUnnamedEvent();
    auto server = kernel.ipc().CreatePipe(kTestPipe, {});
    auto client = kernel.ipc().OpenPipe(kTestPipe);
    ASSERT_TRUE(client.pipe);
    ASSERT_EQ(server.pipe->WaitForClient(*stop).outcome, ClientWaitOutcome::kConnected);
    const std::byte reply[4]{std::byte{1}, std::byte{2}, std::byte{3}, std::byte{4}};
    ASSERT_TRUE(server.pipe->Write(reply, 0));
    if (c.disconnect) {
      server.pipe->Disconnect();
    } else {
      server.pipe.reset();
    }

    std::byte got[4]{};
    EXPECT_EQ(client.pipe->Read(got), c.readable);
    EXPECT_FALSE(client.pipe->ServerAlive());
  }
}

// As the real dispatcher, the simulated one returns once the service reports itself stopped,
// while its main function may still be at work.
TEST(SimKernelTest, DispatcherReturnsAtTheStoppedReportNotAtTheEndOfServiceMain) {
  SimKernel kernel;
  auto& scm = kernel.scm();
  std::uint64_t mainEndedAt = 0;
  EXPECT_TRUE(scm.RunDispatcher("Test", [&] {
    scm.RegisterHandler("Test", [](std::uint32_t) {});
    ServiceStatus stopped;
    stopped.currentState = kServiceStopped;
    scm.SetStatus(stopped);
    kernel.clock().SleepMs(3000);
    mainEndedAt = kernel.NowMs();
  }));
  EXPECT_EQ(kernel.NowMs(), 0u);
  kernel.clock().SleepMs(5000);
  EXPECT_EQ(mainEndedAt, 3000u);
}

TEST(SimKernelDeathTest, EveryThreadWaitingForEverIsReportedNotHung) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        SimKernel kernel;
        auto never = kernel.ipc().CreateUnnamedEvent();
        never->Wait(kWaitForever);
      },
      "deadlock");
}

}  // namespace
}  // namespace holvara
