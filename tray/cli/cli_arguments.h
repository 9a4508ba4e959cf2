// The command line of HolvaraCli: what the user asked for, or why the words do not make a request.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace holvara::cli {

enum class Action { kList, kRemove, kRescan, kHelp, kVersion };

struct Arguments {
  Action action = Action::kHelp;
  bool json = false;             // list: JSON instead of the table; remove: the outcome as JSON
  std::optional<char> letter;    // remove: the drive letter, upper case
  std::optional<int> index;      // remove: the list index
  bool confirmed = false;        // remove: yes to the question about system files
};

struct UsageError {
  std::string message;
};

// The words after the program's name.
std::variant<Arguments, UsageError> ParseArguments(std::span<const std::string_view> words);

inline constexpr char kUsageText[] =
    "usage: HolvaraCli list [--json]\n"
    "       HolvaraCli remove LETTER: [--yes] [--json]\n"
    "       HolvaraCli remove --index N [--yes] [--json]\n"
    "       HolvaraCli rescan\n"
    "       HolvaraCli --help | --version\n"
    "\n"
    "  list            the removable devices, as the notification icon's menu lists them\n"
    "  --json          the list as JSON\n"
    "  remove E:       removes the device that holds drive E:\n"
    "  remove --index N\n"
    "                  removes entry N of the list: a device, or every disk of a unit\n"
    "  --yes           removes a device that holds system files without refusing\n"
    "  remove --json   each device's outcome as JSON: result, veto type, component, programs\n"
    "  rescan          searches for newly attached devices\n"
    "\n"
    "exit codes: 0 done, 1 refused or failed, 2 usage error, 3 service not reachable\n";

}  // namespace holvara::cli
