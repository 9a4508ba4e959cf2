#include "apps/HolvaraServiceSim/machine_argument.h"

#include <charconv>
#include <string_view>

namespace holvara {

std::optional<ServiceSimArguments> ParseServiceSimArguments(std::span<char* const> arguments) {
  if ((arguments.size() != 2 && arguments.size() != 4) || std::string_view(arguments[0]) != "--machine") {
    return std::nullopt;
  }
  ServiceSimArguments parsed{arguments[1]};
  if (arguments.size() == 4) {
    const std::string_view digits = arguments[3];
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed.removalMs);
    if (std::string_view(arguments[2]) != "--removal-ms" || error != std::errc() ||
        end != digits.data() + digits.size()) {
      return std::nullopt;
    }
  }
  return parsed;
}

}  // namespace holvara
