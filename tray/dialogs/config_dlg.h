// The settings dialog: the four behaviour settings as check boxes with balloon tips. OK stores all
// four as 0 or 1 and ends with kSettingsListChanged when the box of "Show" or "Basic" differs from
// what it showed at opening (the caller then rescans and refreshes), with IDOK otherwise; Cancel
// stores nothing. A click on Default only sets the boxes. A box shows what the program makes of
// the stored value, so a value other than 0 and 1 shows as the setting in force.
#pragma once

#include <cstdint>

#include "common/busy_marker_names.h"
#include "tray/dialogs/busy_marker.h"
#include "tray/dialogs/dialog_host.h"
#include "tray/dialogs/launcher_tool_tip_ctrl.h"
#include "tray/framework/dialog.h"

namespace holvara {

inline constexpr int kConfigDialogTemplate = 115;
// The result of OK when a setting that shapes the device list or the icon changed.
inline constexpr std::intptr_t kSettingsListChanged = 3;

class CConfigDlg : public framework::Dialog {
 public:
  static constexpr int kShowBox = 1008;
  static constexpr int kSystemMessageBox = 1009;
  static constexpr int kBasicBox = 1010;
  static constexpr int kResumeRescanBox = 1011;
  static constexpr int kDefaultButton = 1015;

  CConfigDlg(const DialogPorts& ports, DialogHost& host);

 protected:
  int OnCreate() override;
  bool OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(int controlId, std::uint32_t notification) override;
  void OnDestroy() override;
  void DoDataExchange(framework::DataExchange& exchange) override;

 private:
  DialogPorts ports_;
  DialogHost& host_;
  DialogBusyMarker marker_{kConfigDialogMarker};
  CLauncherToolTipCtrl tooltip_;
  int show_ = 0;
  int systemMessage_ = 0;
  int basic_ = 0;
  int resumeRescan_ = 0;
  int showAtOpening_ = 0;
  int basicAtOpening_ = 0;
};

}  // namespace holvara
