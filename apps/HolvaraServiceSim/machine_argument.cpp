#include "apps/HolvaraServiceSim/machine_argument.h"

#include <string_view>

namespace holvara {

std::optional<std::string> MachineArgument(std::span<char* const> arguments) {
  if (arguments.size() != 2 || std::string_view(arguments[0]) != "--machine") return std::nullopt;
  return std::string(arguments[1]);
}

}  // namespace holvara
