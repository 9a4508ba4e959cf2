// The bodies of the rescan and removal workers. Each is built on the user-interface thread with
// everything it needs copied in, so the worker thread touches neither the device list nor the
// dialog that runs it; it talks to the service through a client of its own and reports only by
// its exit code (0 success, 1 failure).
#pragma once

#include <memory>

#include "tray/app/device_list.h"
#include "tray/app/removal_exchange.h"
#include "tray/app/service_client.h"
#include "tray/dialogs/worker_dialog.h"

namespace holvara {

// Asks the service to re-enumerate the device tree.
WorkerBody MakeRescanWorker(const ClientPorts& client);

// Asks the service to remove the device and leaves the service's report in *report, which the
// caller reads once the worker has ended. An entry that is not a single device sends nothing and
// fails.
WorkerBody MakeRemovalWorker(const ClientPorts& client, const DeviceListEntry& device,
                             std::shared_ptr<RemovalReport> report);

}  // namespace holvara
