// Reads a machine description (JSON; docs/machine-format.md) into a simulated machine.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/sim/machine.h"

namespace holvara::sim {

// A machine description that cannot be used; the message names the file and the line (syntax)
// or the JSON path (meaning) of the fault.
class MachineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Machine LoadMachine(std::string_view text, std::string_view sourceName = "machine");
Machine LoadMachineFile(const std::string& path);

}  // namespace holvara::sim
