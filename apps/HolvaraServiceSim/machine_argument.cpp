#include "apps/HolvaraServiceSim/machine_argument.h"

#include <charconv>
#include <string_view>

namespace holvara {
namespace {

bool ReadNumber(std::string_view digits, std::uint32_t& value) {
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return error == std::errc() && end == digits.data() + digits.size();
}

}  // namespace

std::optional<ServiceSimArguments> ParseServiceSimArguments(std::span<char* const> arguments) {
  if (arguments.size() < 2 || arguments.size() % 2 != 0 || std::string_view(arguments[0]) != "--machine") {
    return std::nullopt;
  }
  ServiceSimArguments parsed{arguments[1]};
  for (std::size_t at = 2; at < arguments.size(); at += 2) {
    const std::string_view option = arguments[at];
    std::uint32_t value = 0;
    if (!ReadNumber(arguments[at + 1], value)) return std::nullopt;
    if (option == "--removal-ms") {
      parsed.removalMs = value;
    } else if (option == "--code-page") {
      parsed.codePage = value;
    } else {
      return std::nullopt;
    }
  }
  return parsed;
}

}  // namespace holvara
