// The event log port over the Windows Event Log API (wevtapi): the System channel, queried by
// XPath and rendered field by field.
#pragma once

#include "platform/ports/event_log.h"

namespace holvara {

class Win32EventLog final : public EventLog {
 public:
  // The system time (FILETIME, UTC) of the call.
  EventLogMark Mark() override;
  std::optional<std::vector<RemovalVetoEvent>> RemovalVetoesSince(EventLogMark mark, std::string_view deviceInstanceId,
                                                                  std::size_t maxEvents,
                                                                  std::uint32_t settleMs) override;

 private:
  std::optional<std::vector<RemovalVetoEvent>> QueryOnce(EventLogMark mark, std::string_view deviceInstanceId,
                                                         std::size_t maxEvents);
};

}  // namespace holvara
