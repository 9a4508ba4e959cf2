// The System event log as the removal reads it: Plug and Play's events that name a program whose
// open handle stopped a removal (Kernel-PnP event 225).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace holvara {

// "The application ... with process id ... stopped the removal or ejection for the device ...".
struct RemovalVetoEvent {
  std::string deviceInstanceId;
  std::uint32_t processId = 0;
  std::string processImage;  // as the kernel wrote it: \Device\HarddiskVolumeN\...
};

// A point in the log: events written after it are later ones. Only the adapter that made it
// knows what the value means.
struct EventLogMark {
  std::uint64_t value = 0;
};

class EventLog {
 public:
  virtual ~EventLog() = default;

  virtual EventLogMark Mark() = 0;
  // The removal-veto events for this device instance (compared ignoring case) written since the
  // mark, oldest first, at most maxEvents of them; nullopt when the log cannot be read. The log
  // service records an event a moment after the kernel wrote it, so while none has arrived the
  // log is asked again for up to settleMs.
  virtual std::optional<std::vector<RemovalVetoEvent>> RemovalVetoesSince(EventLogMark mark,
                                                                          std::string_view deviceInstanceId,
                                                                          std::size_t maxEvents,
                                                                          std::uint32_t settleMs) = 0;
};

}  // namespace holvara
