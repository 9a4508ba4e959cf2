#include "platform/sim/sim_messages.h"

#include <algorithm>
#include <utility>

#include "platform/ports/ui_constants.h"

namespace holvara {

SimMessages::SimMessages(SimWindowTable& table, SimTimers& timers) : table_(table), timers_(timers) {
  table_.OnForget(
      [this](WindowId window) { std::erase_if(loops_, [&](const Loop& loop) { return loop.dialog == window; }); });
}

bool SimMessages::Post(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (table_.Find(window) == nullptr) return false;
  queue_.push_back({window, message, wParam, lParam});
  return true;
}

std::intptr_t SimMessages::Send(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return table_.Deliver(window, message, wParam, lParam);
}

std::uint32_t SimMessages::RegisterMessage(std::string_view name) {
  const auto [entry, added] =
      registered_.try_emplace(SimLowerCase(name), static_cast<std::uint32_t>(0xC000 + registered_.size()));
  return entry->second;
}

void SimMessages::PostQuit(int exitCode) { quitCode_ = exitCode; }

void SimMessages::BeginLoop(WindowId dialog, std::function<void(WindowId)> action) {
  std::uint64_t patienceEnd = table_.clock().NowMs() + kPatienceMs;
  if (!loops_.empty()) patienceEnd = std::min(patienceEnd, loops_.back().patienceEnd);
  loops_.push_back({dialog, patienceEnd, std::move(action)});
}

MessageWait SimMessages::Give(GiveUp reason) {
  lastGiveUp_ = reason;
  stepsAtInstant_ = 0;
  if (!loops_.empty() && loops_.back().dialog != kNoWindow) {
    if (SimWindow* dialog = table_.Find(loops_.back().dialog)) cancelledDialogs_.push_back(dialog->templateId);
  }
  return MessageWait::kGaveUp;
}

bool SimMessages::CountStep() {
  const std::uint64_t now = table_.clock().NowMs();
  if (now != instant_) {
    instant_ = now;
    stepsAtInstant_ = 0;
  }
  return ++stepsAtInstant_ <= kMaxStepsAtOneInstant;
}

MessageWait SimMessages::NextMessage(Message& message) {
  if (!loops_.empty() && loops_.back().action) {
    const WindowId dialog = loops_.back().dialog;
    std::exchange(loops_.back().action, {})(dialog);
    message = {kNoWindow, win::kWmNull, 0, 0};
    return MessageWait::kMessage;
  }
  SimTimeline& clock = table_.clock();
  const std::uint64_t deadline = timeLimit_       ? *timeLimit_
                                 : loops_.empty() ? clock.NowMs() + kPatienceMs
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
    SimTimer* timer = timers_.DueFirst();
    const auto action = std::min_element(
        scheduled_.begin(), scheduled_.end(),
        [](const Scheduled& a, const Scheduled& b) { return a.due < b.due || (a.due == b.due && a.order < b.order); });
    const bool haveTimer = timer != nullptr;
    const bool haveAction = action != scheduled_.end();
    if (!haveTimer && !haveAction) return Give(GiveUp::kIdle);
    const bool actionFirst = haveAction && (!haveTimer || action->due < timer->due ||
                                            (action->due == timer->due && action->order < timer->order));
    const std::uint64_t due = actionFirst ? action->due : timer->due;
    if (due > deadline) {
      clock.PassUntil(deadline);
      return Give(GiveUp::kTimeLimit);
    }
    clock.PassUntil(due);
    if (actionFirst) {
      std::function<void()> run = std::move(action->action);
      scheduled_.erase(action);
      run();
      continue;
    }
    if (!CountStep()) return Give(GiveUp::kTimeLimit);
    timer->due = clock.NowMs() + timer->interval;
    message = {timer->window, win::kWmTimer, timer->id, 0};
    return MessageWait::kMessage;
  }
}

bool SimMessages::RouteToDialog(WindowId dialog, const Message& message) {
  const bool keyDown = message.message == win::kWmKeyDown;
  const bool systemKeyDown = message.message == win::kWmSysKeyDown;
  if (keyDown && message.wParam == win::kVkReturn) {
    table_.Deliver(dialog, win::kWmCommand, win::kIdOk, 0);
    return true;
  }
  if ((keyDown && message.wParam == win::kVkEscape) || (systemKeyDown && message.wParam == win::kVkF4)) {
    table_.Deliver(dialog, win::kWmCommand, win::kIdCancel, 0);
    return true;
  }
  return false;
}

void SimMessages::Dispatch(const Message& message) {
  table_.Deliver(message.window, message.message, message.wParam, message.lParam);
}

int SimMessages::RunMessageLoop() {
  BeginLoop(kNoWindow, {});
  Message message;
  MessageWait wait;
  while ((wait = NextMessage(message)) == MessageWait::kMessage) Dispatch(message);
  loops_.pop_back();
  if (wait == MessageWait::kQuit) return static_cast<int>(message.wParam);
  return lastGiveUp_ == GiveUp::kIdle ? kLoopIdle : kLoopTimeLimit;
}

void SimMessages::At(std::uint64_t timeMs, std::function<void()> action) {
  scheduled_.push_back({timeMs, table_.NextOrder(), std::move(action)});
}

void SimMessages::Broadcast(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  for (const auto& [id, window] : table_.windows()) {
    if (!window.isChild) queue_.push_back({id, message, wParam, lParam});
  }
}

}  // namespace holvara
