// The controls of a dialog, addressed by their number in the dialog's template, and the loading of
// the common controls they may be.
#pragma once

#include <string>
#include <string_view>

#include "platform/ports/program_windows.h"

namespace holvara {

class DialogControls {
 public:
  virtual ~DialogControls() = default;

  virtual WindowId DialogItem(WindowId dialog, int id) = 0;
  virtual void SetItemText(WindowId dialog, int id, std::string_view text) = 0;
  virtual std::string ItemText(WindowId dialog, int id) = 0;
  virtual void EnableItem(WindowId dialog, int id, bool enable) = 0;
  virtual void ShowItem(WindowId dialog, int id, bool show) = 0;
  virtual void SetItemCheck(WindowId dialog, int id, int state) = 0;
  virtual int ItemCheck(WindowId dialog, int id) = 0;

  virtual void InitCommonControls() = 0;
};

}  // namespace holvara
