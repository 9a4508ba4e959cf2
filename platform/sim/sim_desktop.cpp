#include "platform/sim/sim_desktop.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

#include <utility>

#include "platform/ports/list_views.h"
#include "platform/ports/ui_constants.h"

namespace holvara {

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

int UsualYes(std::uint32_t style) {
  switch (style & win::kMbTypeMask) {
    case win::kMbYesNo:
    case win::kMbYesNoCancel:
      return win::kIdYes;
    default:
      return win::kIdOk;
  }
}

}  // namespace

WindowId SimDesktop::NewId() {
  const WindowId id = nextId_;
  nextId_ += 4;
  return id;
}

SimDesktop::SimWindow* SimDesktop::Find(WindowId window) {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

SimDesktop::Control* SimDesktop::FindControl(WindowId dialog, int id) {
  SimWindow* window = Find(dialog);
  if (window == nullptr) return nullptr;
  const auto found = window->controls.find(id);
  return found == window->controls.end() ? nullptr : &found->second;
}

std::intptr_t SimDesktop::Deliver(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  SimWindow* target = Find(window);
  if (target == nullptr || target->handler == nullptr) return 0;
  return target->handler->HandleMessage(window, message, wParam, lParam);
}

WindowId SimDesktop::Create(const WindowCreation& creation, WindowHandler& handler) {
  const WindowId id = NewId();
  SimWindow window;
  window.handler = &handler;
  window.creation = creation;
  window.title = creation.title;
  window.isChild = (creation.style & win::kWsChild) != 0;
  window.owner = creation.parent;
  window.order = nextOrder_++;
  window.visible = (creation.style & win::kWsVisible) != 0;
  windows_.emplace(id, std::move(window));
  if (Deliver(id, win::kWmNcCreate, 0, 0) == 0) {
    windows_.erase(id);
    return kNoWindow;
  }
  if (Deliver(id, win::kWmCreate, 0, 0) == -1) {
    Destroy(id);
    return kNoWindow;
  }
  return id;
}

std::intptr_t SimDesktop::DefaultProcessing(WindowId window, std::uint32_t message, std::uintptr_t, std::intptr_t) {
  switch (message) {
    case win::kWmNcCreate:
    case win::kWmQueryEndSession:
      return 1;
    case win::kWmClose:
      Destroy(window);
      return 0;
    default:
      return 0;
  }
}

void SimDesktop::Destroy(WindowId window) {
  if (Find(window) == nullptr) return;
  std::vector<WindowId> owned;
  std::vector<WindowId> children;
  for (const auto& [id, other] : windows_) {
    if (other.owner != window) continue;
    (other.isChild ? children : owned).push_back(id);
  }
  for (WindowId id : owned) Destroy(id);
  Deliver(window, win::kWmDestroy, 0, 0);
  for (WindowId id : children) Destroy(id);
  Deliver(window, win::kWmNcDestroy, 0, 0);
  std::erase_if(timers_, [&](const Timer& timer) { return timer.window == window; });
  std::erase_if(loops_, [&](const Loop& loop) { return loop.dialog == window; });
  windows_.erase(window);
}

WindowId SimDesktop::FindByTitle(std::string_view title) {
  for (const auto& [id, window] : windows_) {
    if (!window.isChild && SameText(window.title, title)) return id;
  }
  return kNoWindow;
}

void SimDesktop::SetTitle(WindowId window, std::string_view title) {
  if (SimWindow* target = Find(window)) target->title = title;
}

std::string SimDesktop::Title(WindowId window) {
  SimWindow* target = Find(window);
  return target ? target->title : std::string();
}

void SimDesktop::SetVisible(SimWindow& window, bool visible) {
  if (visible && !window.visible) window.order = nextOrder_++;
  window.visible = visible;
  if (!visible || window.everVisible) return;
  window.everVisible = true;
  if (window.isDialog) dialogsSeen_.push_back(window.templateId);
}

void SimDesktop::Show(WindowId window, int command) {
  if (SimWindow* target = Find(window)) SetVisible(*target, command != win::kSwHide);
}

bool SimDesktop::IsVisible(WindowId window) {
  SimWindow* target = Find(window);
  return target != nullptr && target->visible;
}

bool SimDesktop::IsEnabled(WindowId window) {
  SimWindow* target = Find(window);
  return target != nullptr && target->enabled;
}

void SimDesktop::Enable(WindowId window, bool enable) {
  if (SimWindow* target = Find(window)) target->enabled = enable;
}

WindowId SimDesktop::LastActivePopup(WindowId window) {
  WindowId last = window;
  std::uint64_t lastOrder = 0;
  for (const auto& [id, other] : windows_) {
    if (other.isChild || id == window) continue;
    for (WindowId owner = other.owner; owner != kNoWindow;) {
      if (owner == window) {
        if (last == window || other.order > lastOrder) {
          last = id;
          lastOrder = other.order;
        }
        break;
      }
      SimWindow* next = Find(owner);
      owner = next ? next->owner : kNoWindow;
    }
  }
  return last;
}

void SimDesktop::SetPosition(WindowId window, WindowId insertAfter, int x, int y, int width, int height,
                             std::uint32_t flags) {
  positions_.push_back({window, insertAfter, flags, x, y, width, height});
  SimWindow* target = Find(window);
  if (target == nullptr) return;
  if (flags & win::kSwpShowWindow) SetVisible(*target, true);
  if (flags & win::kSwpHideWindow) SetVisible(*target, false);
}

bool SimDesktop::SetProperty(WindowId window, std::string_view name, std::uintptr_t value) {
  SimWindow* target = Find(window);
  if (target == nullptr) return false;
  target->properties[Lower(name)] = value;
  return true;
}

std::uintptr_t SimDesktop::Property(WindowId window, std::string_view name) {
  SimWindow* target = Find(window);
  if (target == nullptr) return 0;
  const auto found = target->properties.find(Lower(name));
  return found == target->properties.end() ? 0 : found->second;
}

void SimDesktop::RemoveProperty(WindowId window, std::string_view name) {
  if (SimWindow* target = Find(window)) target->properties.erase(Lower(name));
}

bool SimDesktop::Post(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (Find(window) == nullptr) return false;
  queue_.push_back({window, message, wParam, lParam});
  return true;
}

std::intptr_t SimDesktop::Send(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return Deliver(window, message, wParam, lParam);
}

std::uint32_t SimDesktop::RegisterMessage(std::string_view name) {
  const auto [entry, added] =
      registered_.try_emplace(Lower(name), static_cast<std::uint32_t>(0xC000 + registered_.size()));
  return entry->second;
}

void SimDesktop::PostQuit(int exitCode) { quitCode_ = exitCode; }

void SimDesktop::BeginLoop(WindowId dialog, std::function<void(WindowId)> action) {
  std::uint64_t patienceEnd = clock_.NowMs() + kPatienceMs;
  if (!loops_.empty()) patienceEnd = std::min(patienceEnd, loops_.back().patienceEnd);
  loops_.push_back({dialog, patienceEnd, std::move(action)});
}

MessageWait SimDesktop::Give(GiveUp reason) {
  lastGiveUp_ = reason;
  stepsAtInstant_ = 0;
  if (!loops_.empty() && loops_.back().dialog != kNoWindow) {
    if (SimWindow* dialog = Find(loops_.back().dialog)) cancelledDialogs_.push_back(dialog->templateId);
  }
  return MessageWait::kGaveUp;
}

bool SimDesktop::CountStep() {
  if (clock_.NowMs() != instant_) {
    instant_ = clock_.NowMs();
    stepsAtInstant_ = 0;
  }
  return ++stepsAtInstant_ <= kMaxStepsAtOneInstant;
}

MessageWait SimDesktop::NextMessage(Message& message) {
  if (!loops_.empty() && loops_.back().action) {
    const WindowId dialog = loops_.back().dialog;
    std::exchange(loops_.back().action, {})(dialog);
    message = {kNoWindow, win::kWmNull, 0, 0};
    return MessageWait::kMessage;
  }
  const std::uint64_t deadline = timeLimit_       ? *timeLimit_
                                 : loops_.empty() ? clock_.NowMs() + kPatienceMs
                                                  : loops_.back().patienceEnd;
  for (;;) {
    if (!queue_.empty()) {
      if (!CountStep()) return Give(GiveUp::kTimeLimit);
      const Posted posted = queue_.front();
      queue_.pop_front();
      message = {posted.window, posted.message, posted.wParam, posted.lParam};
      return MessageWait::kMessage;
    }
    if (quitCode_) {
      message = {kNoWindow, win::kWmQuit, static_cast<std::uintptr_t>(*quitCode_), 0};
      quitCode_.reset();
      return MessageWait::kQuit;
    }
    const auto timer = std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
      return a.due < b.due || (a.due == b.due && a.order < b.order);
    });
    const auto action = std::min_element(
        scheduled_.begin(), scheduled_.end(),
        [](const Scheduled& a, const Scheduled& b) { return a.due < b.due || (a.due == b.due && a.order < b.order); });
    const bool haveTimer = timer != timers_.end();
    const bool haveAction = action != scheduled_.end();
    if (!haveTimer && !haveAction) return Give(GiveUp::kIdle);
    const bool actionFirst = haveAction && (!haveTimer || action->due < timer->due ||
                                            (action->due == timer->due && action->order < timer->order));
    const std::uint64_t due = actionFirst ? action->due : timer->due;
    if (due > deadline) {
      clock_.PassUntil(deadline);
      return Give(GiveUp::kTimeLimit);
    }
    clock_.PassUntil(due);
    if (actionFirst) {
      std::function<void()> run = std::move(action->action);
      scheduled_.erase(action);
      run();
      continue;
    }
    if (!CountStep()) return Give(GiveUp::kTimeLimit);
    timer->due = clock_.NowMs() + timer->interval;
    message = {timer->window, win::kWmTimer, timer->id, 0};
    return MessageWait::kMessage;
  }
}

bool SimDesktop::RouteToDialog(WindowId dialog, const Message& message) {
  const bool keyDown = message.message == win::kWmKeyDown;
  const bool systemKeyDown = message.message == win::kWmSysKeyDown;
  if (keyDown && message.wParam == win::kVkReturn) {
    Deliver(dialog, win::kWmCommand, win::kIdOk, 0);
    return true;
  }
  if ((keyDown && message.wParam == win::kVkEscape) || (systemKeyDown && message.wParam == win::kVkF4)) {
    Deliver(dialog, win::kWmCommand, win::kIdCancel, 0);
    return true;
  }
  return false;
}

void SimDesktop::Dispatch(const Message& message) {
  Deliver(message.window, message.message, message.wParam, message.lParam);
}

int SimDesktop::RunMessageLoop() {
  BeginLoop(kNoWindow, {});
  Message message;
  MessageWait wait;
  while ((wait = NextMessage(message)) == MessageWait::kMessage) Dispatch(message);
  loops_.pop_back();
  if (wait == MessageWait::kQuit) return static_cast<int>(message.wParam);
  return lastGiveUp_ == GiveUp::kIdle ? kLoopIdle : kLoopTimeLimit;
}

void SimDesktop::StartTimer(WindowId window, std::uintptr_t id, std::uint32_t intervalMs) {
  if (Find(window) == nullptr) return;
  StopTimer(window, id);
  const std::uint32_t interval = std::max(intervalMs, kShortestTimerMs);
  timers_.push_back({window, id, interval, clock_.NowMs() + interval, nextOrder_++});
}

void SimDesktop::StopTimer(WindowId window, std::uintptr_t id) {
  std::erase_if(timers_, [&](const Timer& timer) { return timer.window == window && timer.id == id; });
}

std::optional<std::uint32_t> SimDesktop::TimerInterval(WindowId window, std::uintptr_t id) const {
  for (const Timer& timer : timers_) {
    if (timer.window == window && timer.id == id) return timer.interval;
  }
  return std::nullopt;
}

int SimDesktop::ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption, std::uint32_t style) {
  boxes_.push_back({owner, std::string(text), std::string(caption), style});
  if (boxAnswers_.empty()) return UsualYes(style);
  BoxAnswer answer = std::move(boxAnswers_.front());
  boxAnswers_.pop_front();
  if (answer.whileShown) answer.whileShown();
  return answer.result;
}

WindowId SimDesktop::CreateModelessDialog(ModuleId module, int templateId, WindowId owner, WindowHandler& handler) {
  const SimResourceData* data = SimResourceDataOf(module);
  if (data == nullptr) return kNoWindow;
  const auto templ = data->dialogs.find(templateId);
  if (templ == data->dialogs.end()) return kNoWindow;

  const WindowId dialog = NewId();
  SimWindow window;
  window.handler = &handler;
  window.creation.title = templ->second.caption;
  window.creation.parent = owner;
  window.title = templ->second.caption;
  window.owner = owner;
  window.order = nextOrder_++;
  window.isDialog = true;
  window.templateId = templateId;
  windows_.emplace(dialog, std::move(window));
  for (const SimControlTemplate& control : templ->second.controls) {
    const WindowId controlWindow = NewId();
    SimWindow child;
    child.title = control.text;
    child.isChild = true;
    child.owner = dialog;
    child.order = nextOrder_++;
    child.visible = true;
    windows_.emplace(controlWindow, std::move(child));
    windows_[dialog].controls[control.id] = Control{control, controlWindow};
  }
  dialogs_.push_back(templateId);
  std::function<void(WindowId)> action;
  const auto found = std::find_if(dialogActions_.begin(), dialogActions_.end(),
                                  [&](const auto& entry) { return entry.first == templateId; });
  if (found != dialogActions_.end()) {
    action = std::move(found->second);
    dialogActions_.erase(found);
  }
  BeginLoop(dialog, std::move(action));
  Deliver(dialog, win::kWmInitDialog, 0, 0);
  return Exists(dialog) ? dialog : kNoWindow;
}

WindowId SimDesktop::DialogItem(WindowId dialog, int id) {
  Control* control = FindControl(dialog, id);
  return control ? control->window : kNoWindow;
}

void SimDesktop::SetItemText(WindowId dialog, int id, std::string_view text) {
  if (Control* control = FindControl(dialog, id)) SetTitle(control->window, text);
}

std::string SimDesktop::ItemText(WindowId dialog, int id) {
  Control* control = FindControl(dialog, id);
  return control ? Title(control->window) : std::string();
}

void SimDesktop::EnableItem(WindowId dialog, int id, bool enable) {
  if (Control* control = FindControl(dialog, id)) control->enabled = enable;
}

void SimDesktop::ShowItem(WindowId dialog, int id, bool show) {
  if (Control* control = FindControl(dialog, id)) control->visible = show;
}

// The program's check boxes have two states: like the system's button, one takes any state above
// checked (BM_SETCHECK with 2, say) as checked.
void SimDesktop::SetItemCheck(WindowId dialog, int id, int state) {
  Control* control = FindControl(dialog, id);
  if (control == nullptr) return;
  const bool twoStates = control->templ.kind == SimControlKind::kCheckBox;
  control->check = twoStates && static_cast<unsigned>(state) > win::kBstChecked ? win::kBstChecked : state;
}

int SimDesktop::ItemCheck(WindowId dialog, int id) {
  Control* control = FindControl(dialog, id);
  return control ? control->check : 0;
}

bool SimDesktop::ItemEnabled(WindowId dialog, int id) {
  Control* control = FindControl(dialog, id);
  return control != nullptr && control->enabled;
}

bool SimDesktop::ItemVisible(WindowId dialog, int id) {
  Control* control = FindControl(dialog, id);
  return control != nullptr && control->visible;
}

void SimDesktop::AnswerNextMessageBox(int result, std::function<void()> whileShown) {
  boxAnswers_.push_back({result, std::move(whileShown)});
}

void SimDesktop::OnNextDialog(int templateId, std::function<void(WindowId dialog)> action) {
  dialogActions_.emplace_back(templateId, std::move(action));
}

void SimDesktop::ClickItem(WindowId dialog, int id) {
  Control* control = FindControl(dialog, id);
  if (control == nullptr || !control->enabled) return;
  if (control->templ.kind == SimControlKind::kCheckBox) control->check = control->check ? 0 : 1;
  const WindowId controlWindow = control->window;
  Deliver(dialog, win::kWmCommand, static_cast<std::uintptr_t>(id) | (win::kBnClicked << 16),
          static_cast<std::intptr_t>(controlWindow));
}

void SimDesktop::NotifyDialog(WindowId control, std::uint32_t code) {
  const WindowId dialog = Owner(control);
  SimWindow* window = Find(dialog);
  if (window == nullptr) return;
  for (const auto& [id, item] : window->controls) {
    if (item.window != control) continue;
    NotifyHeader header{control, static_cast<std::uintptr_t>(id), code};
    Deliver(dialog, kWmNotify, static_cast<std::uintptr_t>(id), reinterpret_cast<std::intptr_t>(&header));
    return;
  }
}

void SimDesktop::At(std::uint64_t timeMs, std::function<void()> action) {
  scheduled_.push_back({timeMs, nextOrder_++, std::move(action)});
}

void SimDesktop::Broadcast(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  for (const auto& [id, window] : windows_) {
    if (!window.isChild) queue_.push_back({id, message, wParam, lParam});
  }
}

std::uint32_t SimDesktop::Style(WindowId window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? 0 : found->second.creation.style;
}

WindowCreation SimDesktop::Creation(WindowId window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? WindowCreation{} : found->second.creation;
}

std::vector<WindowId> SimDesktop::Children(WindowId window) const {
  std::vector<WindowId> children;
  for (const auto& [id, other] : windows_) {
    if (other.isChild && other.owner == window) children.push_back(id);
  }
  return children;
}

std::vector<WindowId> SimDesktop::TopLevelWindows() const {
  std::vector<std::pair<std::uint64_t, WindowId>> ordered;
  for (const auto& [id, window] : windows_) {
    if (!window.isChild) ordered.emplace_back(window.order, id);
  }
  std::sort(ordered.begin(), ordered.end());
  std::vector<WindowId> windows;
  for (const auto& [order, id] : ordered) windows.push_back(id);
  return windows;
}

}  // namespace holvara

namespace holvara {

std::vector<WindowId> SimDesktop::TopLevelZOrder() const {
  std::vector<std::pair<std::uint64_t, WindowId>> byOrder;
  for (const auto& [id, window] : windows_) {
    if (!window.isChild) byOrder.emplace_back(window.order, id);
  }
  std::sort(byOrder.rbegin(), byOrder.rend());
  std::vector<WindowId> order;
  for (const auto& entry : byOrder) order.push_back(entry.second);
  return order;
}

WindowId SimDesktop::Owner(WindowId window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? kNoWindow : found->second.owner;
}

}  // namespace holvara
