// The SetupAPI device information sets of a simulated machine. A set is a snapshot of the
// present devices when it is built; each storage node exposes one interface, so interface i and
// device element i of an interface set belong to the same device.
#pragma once

#include <cstddef>

#include "platform/ports/device_interfaces.h"
#include "platform/sim/machine.h"

namespace holvara::sim {

class SimDeviceInterfaces : public DeviceInterfaces {
 public:
  explicit SimDeviceInterfaces(Machine& machine) : machine_(machine) {}

  std::unique_ptr<DeviceInfoSet> ClassDevsOfInterface(const Guid& interfaceClass) override;
  std::unique_ptr<DeviceInfoSet> ClassDevsOfEnumerator(std::string_view enumerator) override;

  // Sets built so far, and those not yet destroyed.
  std::size_t setsBuilt() const { return setsBuilt_; }
  std::size_t setsOpen() const { return setsOpen_; }

 private:
  Machine& machine_;
  std::size_t setsBuilt_ = 0;
  std::size_t setsOpen_ = 0;
};

}  // namespace holvara::sim
