#include "tray/app/progress_workers.h"

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

WorkerBody MakeRemovalWorker(const ClientPorts& client, const DeviceListEntry& device,
                             std::shared_ptr<RemovalReport> report) {
  *report = {};
  if (device.kind != kSingleDevice) return [] { return kWorkerFailed; };
  return [client, device, report] {
    *report = RequestRemoval(client, device);
    return report->result != 0 ? kWorkerSucceeded : kWorkerFailed;
  };
}

}  // namespace holvara
