// One device's removal as the tray and the command-line tool ask for it: with the reason of a
// refusal from a service that knows command 5, without one from a service that does not.
#pragma once

#include "common/protocol.h"
#include "tray/app/device_list.h"
#include "tray/app/service_client.h"

namespace holvara {

// How long the removal waits between the service's finished signal and reading the reply.
inline constexpr std::uint32_t kRemovalReplyPauseMs = 500;

// Sends command 5 for the entry. A service that does not know it drops the connection without
// the finished signal; the client sees that within its first alive check and sends command 3,
// whose answer fills only the result. A service that cannot be reached gives an all-zero report.
// The report is read bounded: no more programs than the record holds are ever counted.
RemovalReport RequestRemoval(const ClientPorts& ports, const DeviceListEntry& device);

}  // namespace holvara
