// Simulated dialogs made from the templates of a simulated resource library, each with its
// controls as child windows in the shared table and a loop of its own among the messages' loops.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/ports/dialogs.h"
#include "platform/sim/sim_messages.h"
#include "platform/sim/sim_window_table.h"

namespace holvara {

class SimDialogs : public virtual Dialogs {
 public:
  SimDialogs(SimWindowTable& table, SimMessages& messages) : table_(table), messages_(messages) {}

  // A dialog made here counts as modal until it is destroyed: its loop's patience starts now, and
  // an action of OnNextDialog runs when its loop first asks for a message.
  WindowId CreateModelessDialog(ModuleId module, int templateId, WindowId owner, WindowHandler& handler) override;

  // The next dialog of this template is handed to the action once it is initialised. The loop of
  // a dialog that nobody answers and that does not end by itself gives up (and the dialog is
  // listed as cancelled) when it idles, reaches the time limit or its patience, or runs away.
  void OnNextDialog(int templateId, std::function<void(WindowId dialog)> action) {
    dialogActions_.emplace_back(templateId, std::move(action));
  }
  // Templates of the dialogs made.
  const std::vector<int>& shownDialogs() const { return dialogs_; }

 private:
  SimWindowTable& table_;
  SimMessages& messages_;
  std::vector<std::pair<int, std::function<void(WindowId)>>> dialogActions_;
  std::vector<int> dialogs_;
};

}  // namespace holvara
