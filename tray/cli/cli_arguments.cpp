#include "tray/cli/cli_arguments.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace holvara::cli {
namespace {

// "E", "E:" or "E:\", any case.
std::optional<char> DriveLetter(std::string_view word) {
  if (word.empty() || !std::isalpha(static_cast<unsigned char>(word[0]))) return std::nullopt;
  const std::string_view rest = word.substr(1);
  if (!rest.empty() && rest != ":" && rest != ":\\") return std::nullopt;
  return static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
}

std::optional<int> Number(std::string_view word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

Arguments Asking(Action action) {
  Arguments arguments;
  arguments.action = action;
  return arguments;
}

UsageError Unexpected(std::string_view word) { return {"unexpected \"" + std::string(word) + "\""}; }

std::variant<Arguments, UsageError> ParseList(std::span<const std::string_view> words) {
  Arguments arguments = Asking(Action::kList);
  for (const std::string_view word : words) {
    if (word != "--json") return Unexpected(word);
    arguments.json = true;
  }
  return arguments;
}

std::variant<Arguments, UsageError> ParseRemove(std::span<const std::string_view> words) {
  Arguments arguments = Asking(Action::kRemove);
  for (std::size_t at = 0; at < words.size(); ++at) {
    const std::string_view word = words[at];
    if (word == "--yes") {
      arguments.confirmed = true;
    } else if (word == "--json") {
      arguments.json = true;
    } else if (word == "--index") {
      if (at + 1 >= words.size()) return UsageError{"--index needs a number"};
      arguments.index = Number(words[++at]);
      if (!arguments.index) return UsageError{"--index needs a number, not \"" + std::string(words[at]) + "\""};
    } else if (word == "--id" || word == "--expect") {
      if (at + 1 >= words.size() || words[at + 1].empty()) return UsageError{std::string(word) + " needs an identity"};
      (word == "--id" ? arguments.id : arguments.expect) = std::string(words[++at]);
    } else if (auto letter = DriveLetter(word); letter && !arguments.letter) {
      arguments.letter = letter;
    } else {
      return Unexpected(word);
    }
  }
  const int targets =
      int{arguments.letter.has_value()} + int{arguments.index.has_value()} + int{arguments.id.has_value()};
  if (targets != 1) return UsageError{"remove needs one of a drive letter (E:), --id ID or --index N"};
  if (arguments.expect && !arguments.index) return UsageError{"--expect goes with --index N"};
  return arguments;
}

bool AsksForHelp(std::string_view word) { return word == "--help" || word == "-h" || word == "/?"; }

}  // namespace

std::variant<Arguments, UsageError> ParseArguments(std::span<const std::string_view> words) {
  // A request for help anywhere wins over whatever else the line says.
  if (std::any_of(words.begin(), words.end(), AsksForHelp)) return Asking(Action::kHelp);
  if (words.empty()) return UsageError{"no command given"};
  const std::string_view command = words[0];
  const auto rest = words.subspan(1);
  if (command == "help") return Asking(Action::kHelp);
  if (command == "--version") return Asking(Action::kVersion);
  if (command == "list") return ParseList(rest);
  if (command == "remove") return ParseRemove(rest);
  if (command == "rescan") {
    if (!rest.empty()) return Unexpected(rest[0]);
    return Asking(Action::kRescan);
  }
  return UsageError{"unknown command \"" + std::string(command) + "\""};
}

}  // namespace holvara::cli
