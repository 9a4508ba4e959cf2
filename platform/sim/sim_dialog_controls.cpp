#include "platform/sim/sim_dialog_controls.h"

#include "platform/ports/list_views.h"
#include "platform/ports/ui_constants.h"

namespace holvara {

WindowId SimDialogControls::DialogItem(WindowId dialog, int id) {
  SimControl* control = table_.FindControl(dialog, id);
  return control ? control->window : kNoWindow;
}

void SimDialogControls::SetItemText(WindowId dialog, int id, std::string_view text) {
  SimControl* control = table_.FindControl(dialog, id);
  if (control == nullptr) return;
  if (SimWindow* window = table_.Find(control->window)) window->title = text;
}

std::string SimDialogControls::ItemText(WindowId dialog, int id) {
  SimControl* control = table_.FindControl(dialog, id);
  const SimWindow* window = control ? table_.Find(control->window) : nullptr;
  return window ? window->title : std::string();
}

void SimDialogControls::EnableItem(WindowId dialog, int id, bool enable) {
  if (SimControl* control = table_.FindControl(dialog, id)) control->enabled = enable;
}

void SimDialogControls::ShowItem(WindowId dialog, int id, bool show) {
  if (SimControl* control = table_.FindControl(dialog, id)) control->visible = show;
}

// The program's check boxes have two states: like the system's button, one takes any state above
// checked (BM_SETCHECK with 2, say) as checked.
void SimDialogControls::SetItemCheck(WindowId dialog, int id, int state) {
  SimControl* control = table_.FindControl(dialog, id);
  if (control == nullptr) return;
  const bool twoStates = control->templ.kind == SimControlKind::kCheckBox;
  control->check = twoStates && static_cast<unsigned>(state) > win::kBstChecked ? win::kBstChecked : state;
}

int SimDialogControls::ItemCheck(WindowId dialog, int id) {
  SimControl* control = table_.FindControl(dialog, id);
  return control ? control->check : 0;
}

bool SimDialogControls::ItemEnabled(WindowId dialog, int id) {
  SimControl* control = table_.FindControl(dialog, id);
  return control != nullptr && control->enabled;
}

bool SimDialogControls::ItemVisible(WindowId dialog, int id) {
  SimControl* control = table_.FindControl(dialog, id);
  return control != nullptr && control->visible;
}

void SimDialogControls::ClickItem(WindowId dialog, int id) {
  SimControl* control = table_.FindControl(dialog, id);
  if (control == nullptr || !control->enabled) return;
  if (control->templ.kind == SimControlKind::kCheckBox) control->check = control->check ? 0 : 1;
  const WindowId controlWindow = control->window;
  table_.Deliver(dialog, win::kWmCommand, static_cast<std::uintptr_t>(id) | (win::kBnClicked << 16),
                 static_cast<std::intptr_t>(controlWindow));
}

void SimDialogControls::NotifyDialog(WindowId control, std::uint32_t code) {
  const SimWindow* controlWindow = table_.Find(control);
  const WindowId dialog = controlWindow ? controlWindow->owner : kNoWindow;
  SimWindow* window = table_.Find(dialog);
  if (window == nullptr) return;
  for (const auto& [id, item] : window->controls) {
    if (item.window != control) continue;
    NotifyHeader header{control, static_cast<std::uintptr_t>(id), code};
    table_.Deliver(dialog, kWmNotify, static_cast<std::uintptr_t>(id), reinterpret_cast<std::intptr_t>(&header));
    return;
  }
}

}  // namespace holvara
