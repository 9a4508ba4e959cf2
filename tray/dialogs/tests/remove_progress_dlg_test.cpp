// How the removal progress dialog ends for each way its worker can end: only exit code 0 is a
// removal; 1 is a failure with its debugger text; any other code, or a worker that cannot start or
// be resumed, ends the dialog as a failure instead of polling for ever. The end of the program
// ends the dialog while its worker runs: the worker then goes to the host, not away.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "common/busy_marker_names.h"
#include "platform/ports/ui_constants.h"
#include "platform/sim/sim_resources.h"
#include "tray/dialogs/remove_progress_dlg.h"
#include "tray/dialogs/tests/sim_dialog_screen.h"
#include "tray/resources/sim_libraries.h"

namespace holvara {
namespace {

class Host : public DialogHost, public WindowHandler {
 public:
  std::intptr_t HandleMessage(WindowId, std::uint32_t message, std::uintptr_t, std::intptr_t) override {
    return message == win::kWmNcCreate ? 1 : 0;
  }
  WindowId MarkerWindow() override { return window; }
  int LoadText(std::uint32_t, std::span<char> buffer) override {
    buffer[0] = '\0';
    return 0;
  }
  int ProfileInt(const char*, int defaultValue) override { return defaultValue; }
  void WriteProfileSetting(const char*, int) override {}
  void KeepRunningWorker(std::unique_ptr<Thread> worker) override { kept.push_back(std::move(worker)); }

  WindowId window = kNoWindow;
  std::vector<std::unique_ptr<Thread>> kept;
};

struct ProgressRun : SimDialogScreen {
  explicit ProgressRun(Host& host) : host(host) { host.window = desktop.Create({}, host); }
  ~ProgressRun() { desktop.Destroy(host.window); }

  std::intptr_t Run(WorkerBody work) {
    CRemoveProgressDlg dialog(dialogPorts(), host, true, std::move(work));
    return dialog.DoModal(reinterpret_cast<ModuleId>(&library), host.window);
  }

  Host& host;
  SimResourceData library = EnglishResourceLibrary();
};

TEST(RemoveProgressDialog, OnlyExitCodeZeroIsARemoval) {
  struct Case {
    const char* what;
    std::optional<std::uint32_t> exitCode;  // none: the worker cannot start
    std::intptr_t result;
    std::size_t debugTexts;
  };
  for (const Case& c :
       {Case{"exit code 0", 0, win::kIdOk, 0}, Case{"exit code 1", 1, win::kIdCancel, 1},
        Case{"exit code 5", 5, win::kIdCancel, 0}, Case{"worker cannot start", std::nullopt, win::kIdCancel, 0}}) {
    Host host;
    ProgressRun run(host);
    if (!c.exitCode) run.kernel.threads().FailStarts(1);
    const std::uint32_t code = c.exitCode.value_or(0);
    SimKernel& kernel = run.kernel;
    const std::intptr_t result = run.Run([&kernel, code] {
      kernel.clock().SleepMs(3000);
      return code;
    });
    EXPECT_EQ(result, c.result) << c.what;
    EXPECT_EQ(run.debug.Count(kWorkerFailedDebugText), c.debugTexts) << c.what;
    EXPECT_TRUE(run.desktop.cancelledDialogs().empty()) << c.what;
    EXPECT_EQ(run.desktop.Property(host.window, kRemoveProgressMarker), 0u) << c.what;
    EXPECT_EQ(run.colours.brushesAlive(), 0u) << c.what;
  }
}

TEST(RemoveProgressDialog, AWorkerStillRunningWhenTheProgramEndsGoesToTheHost) {
  Host host;
  ProgressRun run(host);
  run.desktop.At(2000, [&] { run.desktop.PostQuit(0); });
  EXPECT_EQ(run.Run([&run] {
    run.kernel.clock().SleepMs(6000);
    return kWorkerSucceeded;
  }),
            win::kIdCancel);
  EXPECT_EQ(run.desktop.Property(host.window, kRemoveProgressMarker), 0u);
  ASSERT_EQ(host.kept.size(), 1u);
  EXPECT_FALSE(host.kept[0]->Wait(0));
  EXPECT_TRUE(host.kept[0]->Wait(kWaitForever));
  EXPECT_EQ(host.kept[0]->ExitCode(), kWorkerSucceeded);
}

TEST(RemoveProgressDialog, AWorkerThatCannotBeResumedFailsAndIsFreed) {
  Host host;
  ProgressRun run(host);
  run.kernel.threads().FailResumes(1);
  bool ran = false;
  EXPECT_EQ(run.Run([&ran] {
    ran = true;
    return kWorkerSucceeded;
  }),
            win::kIdCancel);
  EXPECT_FALSE(ran);
  EXPECT_TRUE(host.kept.empty());
  EXPECT_EQ(run.kernel.threads().suspendedThreads(), 0);
}

}  // namespace
}  // namespace holvara
