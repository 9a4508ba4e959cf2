// Moves values between a dialog's controls and the dialog object's members, in the direction
// the exchange was made for.
#pragma once

#include <string>

#include "platform/ports/ui.h"

namespace holvara::framework {

class DataExchange {
 public:
  DataExchange(Ui& ui, WindowId dialog, bool saving) : ui_(ui), dialog_(dialog), saving_(saving) {}

  bool saving() const { return saving_; }

  // A check box's state (0 unchecked, 1 checked, 2 indeterminate).
  void Check(int controlId, int& value);
  void Text(int controlId, std::string& value);
  // The window of a control, kept in the member for the dialog's own calls.
  void Control(int controlId, WindowId& control);

 private:
  Ui& ui_;
  WindowId dialog_;
  bool saving_;
};

}  // namespace holvara::framework
