// An Ipc that passes everything on and watches the client's exchanges. The device-list refresh
// reads an unreachable service as an empty list, and an exchange that never reached the service
// as a device that is not there; the command-line tool must tell both from a true list, after
// the client's own retries, without an exchange of its own.
//
// The first open that fails before the pipe was ever reached is told, so the tool can say that it
// waits. Once an exchange after the first contact has never opened the pipe, the list is
// incomplete whatever follows, so the tool gives up: every further open fails at once and, with
// GivingUpClock, the client's retries no longer sleep. The whole wait is so bounded by two of the
// client's retry spans, one for the first contact and one for a later exchange.
#pragma once

#include <functional>
#include <utility>

#include "platform/ports/clock.h"
#include "platform/ports/ipc.h"

namespace holvara::cli {

class ReachabilityIpc : public Ipc {
 public:
  ReachabilityIpc(Ipc& inner, std::function<void()> onFirstMiss)
      : inner_(inner), onFirstMiss_(std::move(onFirstMiss)) {}

  bool reached() const { return reached_; }
  // False when an exchange after the first contact never reached the service.
  bool complete() const { return !gaveUp_ && !LastExchangeMissed(); }
  bool gaveUp() const { return gaveUp_; }

  // Each of the client's exchanges begins with the finished event.
  std::unique_ptr<Event> CreateNamedEvent(std::string_view name) override {
    if (LastExchangeMissed()) gaveUp_ = true;
    inExchange_ = true;
    exchangeOpened_ = false;
    return inner_.CreateNamedEvent(name);
  }
  PipeOpenResult OpenPipe(std::string_view name) override {
    if (gaveUp_) return {nullptr, PipeOpenError::kNotFound};
    PipeOpenResult opened = inner_.OpenPipe(name);
    if (opened.pipe) {
      reached_ = true;
      exchangeOpened_ = true;
    } else if (!reached_ && !missed_) {
      missed_ = true;
      onFirstMiss_();
    }
    return opened;
  }
  bool WaitForPipe(std::string_view name, std::uint32_t timeoutMs) override {
    return !gaveUp_ && inner_.WaitForPipe(name, timeoutMs);
  }
  std::unique_ptr<Event> OpenNamedEvent(std::string_view name) override { return inner_.OpenNamedEvent(name); }
  std::unique_ptr<Event> CreateUnnamedEvent() override { return inner_.CreateUnnamedEvent(); }
  PipeCreateResult CreatePipe(std::string_view name, std::span<const AccessEntry> access) override {
    return inner_.CreatePipe(name, access);
  }

 private:
  bool LastExchangeMissed() const { return reached_ && inExchange_ && !exchangeOpened_; }

  Ipc& inner_;
  std::function<void()> onFirstMiss_;
  bool reached_ = false;
  bool missed_ = false;
  bool inExchange_ = false;
  bool exchangeOpened_ = false;
  bool gaveUp_ = false;
};

// The client's clock, whose sleeps end once the tool has given up.
class GivingUpClock : public Clock {
 public:
  GivingUpClock(Clock& inner, const ReachabilityIpc& ipc) : inner_(inner), ipc_(ipc) {}

  std::uint64_t NowMs() override { return inner_.NowMs(); }
  void SleepMs(std::uint32_t ms) override {
    if (!ipc_.gaveUp()) inner_.SleepMs(ms);
  }

 private:
  Clock& inner_;
  const ReachabilityIpc& ipc_;
};

}  // namespace holvara::cli
