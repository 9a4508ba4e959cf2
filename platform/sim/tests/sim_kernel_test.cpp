#include "platform/sim/sim_kernel.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace holvara {
namespace {

TEST(SimKernelTest, TimeMovesOnlyWhenEveryThreadWaitsAndThenToTheEarliestDeadline) {
  SimKernel kernel;
  auto signal = kernel.ipc().CreateStopEvent();
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

TEST(SimKernelDeathTest, EveryThreadWaitingForEverIsReportedNotHung) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        SimKernel kernel;
        auto never = kernel.ipc().CreateStopEvent();
        never->Wait(kWaitForever);
      },
      "deadlock");
}

}  // namespace
}  // namespace holvara
