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
  bool json = false;                  // list: JSON instead of the table; remove: the outcome as JSON
  std::optional<char> letter;         // remove: the drive letter, upper case
  std::optional<int> index;           // remove: the list index
  std::optional<std::string> id;      // remove: the entry's identity (list --json "id")
  std::optional<std::string> expect;  // remove --index: the identity entry index must have
  bool confirmed = false;             // remove: yes to the question about system files
};

struct UsageError {
  std::string message;
};

// The words after the program's name.
std::variant<Arguments, UsageError> ParseArguments(std::span<const std::string_view> words);

inline constexpr char kUsageText[] =
    "usage: HolvaraCli list [--json]\n"
    "       HolvaraCli remove LETTER: [--yes] [--json]\n"
    "       HolvaraCli remove --id ID [--yes] [--json]\n"
    "       HolvaraCli remove --index N [--expect ID] [--yes] [--json]\n"
    "       HolvaraCli rescan\n"
    "       HolvaraCli --help | --version\n"
    "\n"
    "  list            the removable devices, as the notification icon's menu lists them\n"
    "  --json          the list as JSON\n"
    "  remove E:       removes the device that holds drive E:\n"
    "  remove --id ID  removes the entry with that identity: a device, or every disk of a unit\n"
    "  remove --index N\n"
    "                  removes entry N of the list, and says which before it does; from a\n"
    "                  script (input not a console) only with --expect\n"
    "  --expect ID     refuses when entry N no longer has that identity\n"
    "  --yes           removes a device that holds system files without refusing\n"
    "  remove --json   each device's outcome as JSON: result, veto type, component, programs\n"
    "  rescan          searches for newly attached devices\n"
    "\n"
    "identity (\"id\" in list --json): D:<hardware ID>:<device object name> for a device,\n"
    "  U:<host>.<port>+<member id>+... for a unit; every byte other than A-Z a-z 0-9 _ . -\n"
    "  is written as ~ and two hex digits. It stays while the device stays attached.\n"
    "\n"
    "--help, -h or /? anywhere on the line shows this text.\n"
    "\n"
    "Output is UTF-8 to a file or pipe and Unicode text to a console.\n"
    "\n"
    "exit codes:\n"
    "  0  done\n"
    "  1  refused, or the removal failed\n"
    "  2  usage error\n"
    "  3  the service HolvaraService is stopped (or could not be reached)\n"
    "  4  no such device now: the id, or the entry --expect names, is not listed\n"
    "  5  the service HolvaraService is not installed\n"
    "  6  the service runs but did not answer within 40 seconds, or stopped answering\n"
    "     while the list was read (busy)\n";

}  // namespace holvara::cli
