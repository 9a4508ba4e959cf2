// WMI of a simulated machine: one Win32_DiskPartition per volume on each disk, in disk-number
// order, and an association between a partition and each letter of its volume.
#pragma once

#include "platform/ports/wmi.h"
#include "platform/sim/machine.h"

namespace holvara::sim {

class SimWmi : public Wmi {
 public:
  explicit SimWmi(Machine& machine) : machine_(machine) {}

  std::int32_t InitializeCom() override;
  std::int32_t InitializeSecurity() override;
  void UninitializeCom() override;
  std::unique_ptr<WmiServices> ConnectCimv2() override;

  // CoInitialize calls not yet balanced by CoUninitialize.
  int comDepth() const { return comDepth_; }

 private:
  Machine& machine_;
  int comDepth_ = 0;
  bool securitySet_ = false;
};

}  // namespace holvara::sim
