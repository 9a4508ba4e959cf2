// Carries out one request: the command's work runs on a worker thread of its own, and the
// dispatcher waits for it before it hands back the reply bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "common/protocol.h"
#include "platform/ports/debug_output.h"
#include "platform/ports/threads.h"
#include "service/device_work.h"

namespace holvara {

class RequestDispatcher {
 public:
  RequestDispatcher(DeviceWork& work, Threads& threads, DebugOutput& debug);

  // The reply to send: 4 bytes, a whole record for kDEVICE_INFO, a report for
  // kDEVICE_REMOVE_REPORT. Nothing for an unknown
  // command, which gets neither the finished signal nor a reply.
  std::optional<std::vector<std::byte>> Dispatch(const ServiceRequest& request);

 private:
  // Runs work on a fresh thread and waits for its end; true when the thread ran to its end.
  template <typename Work>
  bool RunWorker(Work work);

  DeviceWork& work_;
  Threads& threads_;
  DebugOutput& debug_;
};

}  // namespace holvara
