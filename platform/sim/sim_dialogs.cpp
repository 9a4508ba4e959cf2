#include "platform/sim/sim_dialogs.h"

#include <algorithm>

#include "platform/ports/ui_constants.h"

namespace holvara {

WindowId SimDialogs::CreateModelessDialog(ModuleId module, int templateId, WindowId owner, WindowHandler& handler) {
  const SimResourceData* data = SimResourceDataOf(module);
  if (data == nullptr) return kNoWindow;
  const auto templ = data->dialogs.find(templateId);
  if (templ == data->dialogs.end()) return kNoWindow;

  const WindowId dialog = table_.NewId();
  SimWindow window;
  window.handler = &handler;
  window.creation.title = templ->second.caption;
  window.creation.parent = owner;
  window.title = templ->second.caption;
  window.owner = owner;
  window.order = table_.NextOrder();
  window.isDialog = true;
  window.templateId = templateId;
  table_.Add(dialog, std::move(window));
  for (const SimControlTemplate& control : templ->second.controls) {
    const WindowId controlWindow = table_.NewId();
    SimWindow child;
    child.title = control.text;
    child.isChild = true;
    child.owner = dialog;
    child.order = table_.NextOrder();
    child.visible = true;
    table_.Add(controlWindow, std::move(child));
    table_.Find(dialog)->controls[control.id] = SimControl{control, controlWindow};
  }
  dialogs_.push_back(templateId);
  std::function<void(WindowId)> action;
  const auto found = std::find_if(dialogActions_.begin(), dialogActions_.end(),
                                  [&](const auto& entry) { return entry.first == templateId; });
  if (found != dialogActions_.end()) {
    action = std::move(found->second);
    dialogActions_.erase(found);
  }
  messages_.BeginLoop(dialog, std::move(action));
  table_.Deliver(dialog, win::kWmInitDialog, 0, 0);
  return table_.Find(dialog) != nullptr ? dialog : kNoWindow;
}

}  // namespace holvara
