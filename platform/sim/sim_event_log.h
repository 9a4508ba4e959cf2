// The System event log of a simulated machine: the removal-veto events its vetoed removals wrote.
#pragma once

#include "platform/ports/event_log.h"
#include "platform/ports/volume_names.h"
#include "platform/sim/machine.h"

namespace holvara::sim {

class SimEventLog : public EventLog {
 public:
  explicit SimEventLog(Machine& machine) : machine_(machine) {}

  // The number of events logged so far. Events are there as soon as the removal is refused, so
  // nothing is waited for.
  EventLogMark Mark() override;
  std::optional<std::vector<RemovalVetoEvent>> RemovalVetoesSince(EventLogMark mark, std::string_view deviceInstanceId,
                                                                  std::size_t maxEvents,
                                                                  std::uint32_t settleMs) override;

 private:
  Machine& machine_;
};

class SimVolumeNames : public VolumeNames {
 public:
  explicit SimVolumeNames(Machine& machine) : machine_(machine) {}

  std::optional<std::string> DeviceOfDriveLetter(char letter) override { return machine_.DeviceOfDriveLetter(letter); }

 private:
  Machine& machine_;
};

}  // namespace holvara::sim
