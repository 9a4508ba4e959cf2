// The one argument the test service takes on its command line: --machine PATH.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace holvara {

// The path after "--machine", or nullopt when the arguments are anything else.
std::optional<std::string> MachineArgument(std::span<char* const> arguments);

}  // namespace holvara
