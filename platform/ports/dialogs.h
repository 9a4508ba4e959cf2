// Dialogs made from a numbered template of a module.
#pragma once

#include "platform/ports/program_windows.h"

namespace holvara {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Makes a dialog of the module's template, owned by owner, and initialises it (WM_INITDIALOG);
  // it stays hidden whatever the template says until it is shown. kNoWindow when it could not
  // be made. Whoever runs it modally disables the owner and runs a loop of its own.
  virtual WindowId CreateModelessDialog(ModuleId module, int templateId, WindowId owner, WindowHandler& handler) = 0;
};

}  // namespace holvara
