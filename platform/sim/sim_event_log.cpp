#include "platform/sim/sim_event_log.h"

#include <algorithm>
#include <cctype>

namespace holvara::sim {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

EventLogMark SimEventLog::Mark() { return {machine_.eventLog.size()}; }

std::optional<std::vector<RemovalVetoEvent>> SimEventLog::RemovalVetoesSince(EventLogMark mark,
                                                                             std::string_view deviceInstanceId,
                                                                             std::size_t maxEvents, std::uint32_t) {
  if (!machine_.eventLogReadable) return std::nullopt;
  std::vector<RemovalVetoEvent> events;
  for (std::size_t i = static_cast<std::size_t>(mark.value); i < machine_.eventLog.size() && events.size() < maxEvents;
       ++i) {
    const LoggedRemovalVeto& logged = machine_.eventLog[i];
    if (!SameIgnoringCase(logged.deviceInstanceId, deviceInstanceId)) continue;
    events.push_back({logged.deviceInstanceId, logged.program.processId, logged.program.image});
  }
  return events;
}

}  // namespace holvara::sim
