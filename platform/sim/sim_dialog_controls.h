// Simulated controls of a dialog, kept with the dialog in the shared table; a scripted user clicks
// them and they notify their dialog as the system's controls do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ports/dialog_controls.h"
#include "platform/sim/sim_window_table.h"

namespace holvara {

class SimDialogControls : public virtual DialogControls {
 public:
  explicit SimDialogControls(SimWindowTable& table) : table_(table) {}

  WindowId DialogItem(WindowId dialog, int id) override;
  void SetItemText(WindowId dialog, int id, std::string_view text) override;
  std::string ItemText(WindowId dialog, int id) override;
  void EnableItem(WindowId dialog, int id, bool enable) override;
  void ShowItem(WindowId dialog, int id, bool show) override;
  void SetItemCheck(WindowId dialog, int id, int state) override;
  int ItemCheck(WindowId dialog, int id) override;
  void InitCommonControls() override { commonControlsInitialised_ = true; }

  // A click on a control: a check box toggles, then the dialog gets the button's command.
  void ClickItem(WindowId dialog, int id);
  // A control of a dialog tells the dialog of a change: WM_NOTIFY with the control's id and a
  // header of that code, sent as the system's controls send it.
  void NotifyDialog(WindowId control, std::uint32_t code);
  bool ItemEnabled(WindowId dialog, int id);
  bool ItemVisible(WindowId dialog, int id);
  bool commonControlsInitialised() const { return commonControlsInitialised_; }

 private:
  SimWindowTable& table_;
  bool commonControlsInitialised_ = false;
};

}  // namespace holvara
