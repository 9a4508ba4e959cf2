#include "platform/sim/sim_desktop.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

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

std::intptr_t SimDesktop::Deliver(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
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

void SimDesktop::Show(WindowId window, int command) {
  if (SimWindow* target = Find(window)) target->visible = command != win::kSwHide;
}

bool SimDesktop::IsVisible(WindowId window) {
  SimWindow* target = Find(window);
  return target != nullptr && target->visible;
}

bool SimDesktop::IsEnabled(WindowId window) {
  SimWindow* target = Find(window);
  return target != nullptr && target->enabled;
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

void SimDesktop::SetPosition(WindowId window, WindowId insertAfter, int, int, int width, int height,
                             std::uint32_t flags) {
  positions_.push_back({window, insertAfter, flags, width, height});
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

SimDesktop::Step SimDesktop::RunUntilStopped(std::uint64_t loopStart, const std::function<bool()>& isOver) {
  // A loop inside another gives up no later than the one it runs in, so nesting cannot stretch
  // the patience.
  std::uint64_t patienceEnd = loopStart + kPatienceMs;
  if (!patienceEnds_.empty()) patienceEnd = std::min(patienceEnd, patienceEnds_.back());
  patienceEnds_.push_back(patienceEnd);
  std::uint64_t instant = clock_.NowMs();
  int stepsAtInstant = 0;
  Step step = Step::kDispatched;
  while (step == Step::kDispatched && !isOver()) {
    step = RunOneStep(timeLimit_ ? *timeLimit_ : patienceEnd);
    if (clock_.NowMs() != instant) {
      instant = clock_.NowMs();
      stepsAtInstant = 0;
    } else if (step == Step::kDispatched && ++stepsAtInstant > kMaxStepsAtOneInstant) {
      step = Step::kTimeLimit;
    }
  }
  patienceEnds_.pop_back();
  return step;
}

SimDesktop::Step SimDesktop::RunOneStep(std::uint64_t deadline) {
  if (!queue_.empty()) {
    const Posted posted = queue_.front();
    queue_.pop_front();
    Deliver(posted.window, posted.message, posted.wParam, posted.lParam);
    return Step::kDispatched;
  }
  if (quitCode_) return Step::kQuit;
  if (!PassTimeToNextEvent(deadline)) return clock_.NowMs() >= deadline ? Step::kTimeLimit : Step::kIdle;
  return Step::kDispatched;
}

bool SimDesktop::PassTimeToNextEvent(std::uint64_t deadline) {
  const Timer* timer = nullptr;
  for (const Timer& candidate : timers_) {
    if (!timer || candidate.due < timer->due || (candidate.due == timer->due && candidate.order < timer->order)) {
      timer = &candidate;
    }
  }
  const Scheduled* action = nullptr;
  for (const Scheduled& candidate : scheduled_) {
    if (!action || candidate.due < action->due || (candidate.due == action->due && candidate.order < action->order)) {
      action = &candidate;
    }
  }
  if (!timer && !action) return false;
  const bool actionFirst = action && (!timer || action->due < timer->due ||
                                      (action->due == timer->due && action->order < timer->order));
  const std::uint64_t due = actionFirst ? action->due : timer->due;
  if (due > deadline) {
    if (clock_.NowMs() < deadline) clock_.Advance(deadline - clock_.NowMs());
    return false;
  }
  if (due > clock_.NowMs()) clock_.Advance(due - clock_.NowMs());
  if (actionFirst) {
    std::function<void()> run = std::move(const_cast<Scheduled*>(action)->action);
    scheduled_.erase(scheduled_.begin() + (action - scheduled_.data()));
    run();
    return true;
  }
  Timer& fired = const_cast<Timer&>(*timer);
  fired.due = clock_.NowMs() + fired.interval;
  const WindowId window = fired.window;
  const std::uintptr_t id = fired.id;
  Deliver(window, win::kWmTimer, id, 0);
  return true;
}

int SimDesktop::RunMessageLoop() {
  switch (RunUntilStopped(clock_.NowMs(), [] { return false; })) {
    case Step::kQuit: {
      const int code = *quitCode_;
      quitCode_.reset();
      return code;
    }
    case Step::kIdle:
      return kLoopIdle;
    default:
      return kLoopTimeLimit;
  }
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

std::intptr_t SimDesktop::RunModalDialog(ModuleId module, int templateId, WindowId owner, WindowHandler& handler) {
  const SimResourceData* data = SimResourceDataOf(module);
  if (data == nullptr) return -1;
  const auto templ = data->dialogs.find(templateId);
  if (templ == data->dialogs.end()) return -1;

  const WindowId dialog = NewId();
  SimWindow window;
  window.handler = &handler;
  window.creation.title = templ->second.caption;
  window.title = templ->second.caption;
  window.owner = owner;
  window.order = nextOrder_++;
  window.visible = true;
  window.isDialog = true;
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
  const bool ownerWasEnabled = IsEnabled(owner);
  if (SimWindow* ownerWindow = Find(owner)) ownerWindow->enabled = false;

  dialogs_.push_back(templateId);
  const std::uint64_t opened = clock_.NowMs();
  Deliver(dialog, win::kWmInitDialog, 0, 0);
  const auto isOver = [&] {
    SimWindow* current = Find(dialog);
    return current == nullptr || current->ended;
  };
  if (!isOver()) {
    const auto action = std::find_if(dialogActions_.begin(), dialogActions_.end(),
                                     [&](const auto& entry) { return entry.first == templateId; });
    if (action != dialogActions_.end()) {
      std::function<void(WindowId)> run = std::move(action->second);
      dialogActions_.erase(action);
      run(dialog);
    }
  }
  while (!isOver()) {
    const Step step = RunUntilStopped(opened, isOver);
    if (step == Step::kQuit) {
      EndModalDialog(dialog, 0);
    } else if (step == Step::kIdle || step == Step::kTimeLimit) {
      cancelledDialogs_.push_back(templateId);
      Deliver(dialog, win::kWmCommand, win::kIdCancel, 0);
      if (!isOver()) EndModalDialog(dialog, win::kIdCancel);
    }
  }
  const SimWindow* ended = Find(dialog);
  const std::intptr_t result = ended ? ended->result : win::kIdCancel;
  if (SimWindow* ownerWindow = Find(owner)) ownerWindow->enabled = ownerWasEnabled;
  Destroy(dialog);
  return result;
}

void SimDesktop::EndModalDialog(WindowId dialog, std::intptr_t result) {
  SimWindow* window = Find(dialog);
  if (window == nullptr || !window->isDialog) return;
  window->ended = true;
  window->result = result;
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

void SimDesktop::SetItemCheck(WindowId dialog, int id, int state) {
  if (Control* control = FindControl(dialog, id)) control->check = state;
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
