#include "tray/app/removal_exchange.h"

#include <algorithm>

#include "tray/app/removal_plan.h"

namespace holvara {

RemovalReport RequestRemoval(const ClientPorts& ports, const DeviceListEntry& device) {
  ServiceClient service(ports);
  ServiceRequest request = MakeRemovalRequest(device);
  request.command = kDEVICE_REMOVE_REPORT;
  const bool finished = service.Send(request);
  RemovalReport report{};
  if (finished || !service.Dropped()) {
    ports.clock.SleepMs(kRemovalReplyPauseMs);
    service.ReadReport(report);
    report.programCount = std::min<std::uint32_t>(report.programCount, kMaxBlockingPrograms);
    return report;
  }
  request.command = kDEVICE_REMOVE;
  service.Send(request);
  ports.clock.SleepMs(kRemovalReplyPauseMs);
  report.result = service.ReadResult() != 0 ? 1 : 0;
  return report;
}

}  // namespace holvara
