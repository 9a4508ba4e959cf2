// An Ipc that passes everything on and remembers whether a client ever opened the pipe. The
// device-list refresh reads an unreachable service as an empty list; the command-line tool must
// tell the two apart, after the client's own retries, without an exchange of its own. The first
// open that fails before the pipe was ever reached is told, so the tool can say that it waits.
#pragma once

#include <functional>
#include <utility>

#include "platform/ports/ipc.h"

namespace holvara::cli {

class ReachabilityIpc : public Ipc {
 public:
  ReachabilityIpc(Ipc& inner, std::function<void()> onFirstMiss)
      : inner_(inner), onFirstMiss_(std::move(onFirstMiss)) {}

  bool reached() const { return reached_; }

  std::unique_ptr<Event> CreateNamedEvent(std::string_view name) override { return inner_.CreateNamedEvent(name); }
  PipeOpenResult OpenPipe(std::string_view name) override {
    PipeOpenResult opened = inner_.OpenPipe(name);
    if (opened.pipe) {
      reached_ = true;
    } else if (!reached_ && !missed_) {
      missed_ = true;
      onFirstMiss_();
    }
    return opened;
  }
  bool WaitForPipe(std::string_view name, std::uint32_t timeoutMs) override {
    return inner_.WaitForPipe(name, timeoutMs);
  }
  std::unique_ptr<Event> OpenNamedEvent(std::string_view name) override { return inner_.OpenNamedEvent(name); }
  std::unique_ptr<Event> CreateUnnamedEvent() override { return inner_.CreateUnnamedEvent(); }
  PipeCreateResult CreatePipe(std::string_view name, std::span<const AccessEntry> access) override {
    return inner_.CreatePipe(name, access);
  }

 private:
  Ipc& inner_;
  std::function<void()> onFirstMiss_;
  bool reached_ = false;
  bool missed_ = false;
};

}  // namespace holvara::cli
