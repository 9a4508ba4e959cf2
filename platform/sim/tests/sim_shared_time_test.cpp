// One virtual clock for the desktop and the kernel: a window's timers and a worker thread's sleep
// pass on the same time, and a suspended worker runs only once resumed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_kernel.h"

namespace holvara {
namespace {

class Poller : public WindowHandler {
 public:
  Poller(SimDesktop& desktop, SimKernel& kernel) : desktop_(desktop), kernel_(kernel) {}
  std::intptr_t HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override {
    if (message == win::kWmTimer && worker) {
      const std::uint32_t code = worker->ExitCode();
      polls.push_back(std::to_string(code) + "@" + std::to_string(kernel_.NowMs()));
      if (wParam == 1) {
        desktop_.StopTimer(window, 1);
        worker->Resume();
        desktop_.StartTimer(window, 2, 100);
      } else if (code != kThreadStillActive) {
        desktop_.PostQuit(0);
      }
    }
    return desktop_.DefaultProcessing(window, message, wParam, lParam);
  }

  std::unique_ptr<Thread> worker;
  std::vector<std::string> polls;

 private:
  SimDesktop& desktop_;
  SimKernel& kernel_;
};

TEST(SimSharedTime, TimersAndWorkerThreadsRunOnOneClock) {
  SimKernel kernel;
  SimDesktop desktop{kernel.timeline()};
  Poller poller(desktop, kernel);
  const WindowId window = desktop.Create({}, poller);
  poller.worker = kernel.threads().StartSuspended([&kernel] {
    kernel.clock().SleepMs(250);
    return 7u;
  });
  ASSERT_NE(poller.worker, nullptr);
  desktop.StartTimer(window, 1, 50);

  EXPECT_EQ(desktop.RunMessageLoop(), 0);
  // Not started before the resume at 50 ms; sleeping until 300 ms; ended when polled at 350 ms.
  EXPECT_EQ(poller.polls, (std::vector<std::string>{"259@50", "259@150", "259@250", "7@350"}));
}

}  // namespace
}  // namespace holvara
