// The bodies of the rescan and removal workers. Each is built on the user-interface thread with
// everything it needs copied in, so the worker thread touches neither the device list nor the
// dialog that runs it; it talks to the service through a client of its own and reports only by
// its exit code (0 success, 1 failure).
#pragma once

#include "tray/app/device_list.h"
#include "tray/app/service_client.h"
#include "tray/dialogs/worker_dialog.h"

namespace holvara {

// How long the removal worker waits between the service's finished signal and reading the reply.
inline constexpr std::uint32_t kRemovalReplyPauseMs = 500;

// Asks the service to re-enumerate the device tree.
WorkerBody MakeRescanWorker(const ClientPorts& client);

// Asks the service to remove the device. An entry that is not a single device sends nothing and
// fails.
WorkerBody MakeRemovalWorker(const ClientPorts& client, const DeviceListEntry& device);

}  // namespace holvara
