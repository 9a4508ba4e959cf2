#include "tray/app/progress_workers.h"

#include "tray/app/removal_plan.h"

namespace holvara {

WorkerBody MakeRescanWorker(const ClientPorts& client) {
  return [client] {
    ServiceRequest request{};
    request.command = kDEVICE_RESCAN;
    ServiceClient service(client);
    service.Send(request);
    return service.ReadResult() != 0 ? kWorkerSucceeded : kWorkerFailed;
  };
}

WorkerBody MakeRemovalWorker(const ClientPorts& client, const DeviceListEntry& device) {
  if (device.kind != kSingleDevice) return [] { return kWorkerFailed; };
  return [client, request = MakeRemovalRequest(device)] {
    ServiceClient service(client);
    service.Send(request);
    client.clock.SleepMs(kRemovalReplyPauseMs);
    return service.ReadResult() != 0 ? kWorkerSucceeded : kWorkerFailed;
  };
}

}  // namespace holvara
