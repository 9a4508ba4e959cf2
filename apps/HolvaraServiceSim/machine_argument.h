// The arguments the test service takes on its command line: --machine PATH, optionally followed by
// --removal-ms MS, which makes every removal take that long (for tests of a stop during one), and
// --code-page CP, the code page the machine's device names reach the service in (for tests of
// names in another code page than the Wine process's own ANSI code page).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace holvara {

struct ServiceSimArguments {
  std::string machinePath;
  std::uint32_t removalMs = 0;
  std::uint32_t codePage = 0;  // 0: the ANSI code page (CP_ACP)
};

// nullopt when the arguments are anything else.
std::optional<ServiceSimArguments> ParseServiceSimArguments(std::span<char* const> arguments);

}  // namespace holvara
