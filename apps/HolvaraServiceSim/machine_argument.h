// The arguments the test service takes on its command line: --machine PATH, optionally followed by
// --removal-ms MS, which makes every removal take that long (for tests of a stop during one).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace holvara {

struct ServiceSimArguments {
  std::string machinePath;
  std::uint32_t removalMs = 0;
};

// nullopt when the arguments are anything else.
std::optional<ServiceSimArguments> ParseServiceSimArguments(std::span<char* const> arguments);

}  // namespace holvara
