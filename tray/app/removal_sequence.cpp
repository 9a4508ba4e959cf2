// The removal sequence: entry i of the device list is copied when the sequence starts (a unit with
// all its members), and every box, progress dialog and request works from that copy, so a refresh
// of the list while a box is up cannot redirect the removal to another device.
#include <array>
#include <cstdio>
#include <string>

#include "common/text_field.h"
#include "common/tray_label.h"
#include "platform/ports/ui_constants.h"
#include "tray/app/busy_markers.h"
#include "tray/app/holvara_app.h"
#include "tray/app/progress_workers.h"
#include "tray/app/removal_plan.h"
#include "tray/dialogs/remove_progress_dlg.h"

namespace holvara {

namespace {

constexpr std::uint32_t kSucceededString = 17;
constexpr std::uint32_t kConfirmString = 18;
constexpr std::uint32_t kSucceededSuffixString = 35;
constexpr std::uint32_t kFailedString = 5001;
constexpr std::uint32_t kFirstVersionWithNamedSuccess = 6;
constexpr std::size_t kConfirmBuffer = 128;
constexpr std::size_t kTextBuffer = 255;

}  // namespace

RemovalOutcome CHolvaraApp::RemovalSequence(int index, bool show) {
  return RemovePlannedDevices(PlanRemoval(deviceList_, index & 0xFF), show);
}

// One removal at a time. The removal's marker stands for the whole sequence, its boxes included,
// which leave the program's windows live: the icon and a second start bring the open window
// forward, and device changes wait for the removal's own notice, until the last box has gone. A
// removal asked for meanwhile (a command that was already on its way) starts nothing.
RemovalOutcome CHolvaraApp::RemovePlannedDevices(const std::optional<RemovalPlan>& plan, bool show) {
  if (ports_.ui.Property(mainWindowId(), kRemoveProgressMarker) != 0) return RemovalOutcome::kDeclined;
  const ScopedBusyMarker removing(ports_.ui, mainWindowId(), kRemoveProgressMarker);
  const bool namedSuccess = ports_.system.Version().major >= kFirstVersionWithNamedSuccess;
  RemovalOutcome outcome = RemovalOutcome::kFailed;
  if (plan && !plan->IsUnit()) {
    outcome = RemoveOneDevice(plan->entry, false, show, namedSuccess);
  } else if (plan) {
    for (const DeviceListEntry& member : plan->members) {
      outcome = RemoveOneDevice(member, true, show, namedSuccess);
      if (outcome != RemovalOutcome::kRemoved) break;
    }
  }
  if (outcome == RemovalOutcome::kRemoved && !namedSuccess) ShowMessage(kSucceededString, win::kMbIconInformation);
  if (outcome == RemovalOutcome::kFailed) ShowRemovalFailure(kFailedString);
  return outcome;
}

RemovalOutcome CHolvaraApp::RemoveOneDevice(const DeviceListEntry& device, bool member, bool show, bool namedSuccess) {
  if (ProfileInt("SystemMessage", 0) == 1 && device.systemDrive == 1) {
    std::array<char, kConfirmBuffer> question{};
    LoadText(kConfirmString, question);
    if (ports_.ui.ShowMessageBox(kNoWindow, question.data(), kProductTitle, win::kMbOkCancel) != win::kIdOk) {
      return RemovalOutcome::kDeclined;
    }
  }
  // A fresh dialog for every device: its worker, brush and region belong to this run alone.
  CRemoveProgressDlg dialog(DialogPortsOf(), *this, show, MakeRemovalWorker(client_, device, removalReport_));
  if (dialog.DoModal(DialogModule(), DialogOwner()) != win::kIdOk) return RemovalOutcome::kFailed;
  if (namedSuccess) {
    std::array<char, kTextBuffer> suffix{};
    LoadText(kSucceededSuffixString, suffix);
    const std::string name(ReadField(device.displayName));
    std::array<char, kTextBuffer> text{};
    if (member) {
      std::snprintf(text.data(), text.size(), "[ %s %s ] %s", TrayTag(device.target).c_str(), name.c_str(),
                    suffix.data());
    } else {
      std::snprintf(text.data(), text.size(), "[ %s ] %s", name.c_str(), suffix.data());
    }
    ports_.ui.ShowMessageBox(kNoWindow, text.data(), kProductTitle, win::kMbIconInformation);
  }
  return RemovalOutcome::kRemoved;
}

}  // namespace holvara
