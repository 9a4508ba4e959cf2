// holvara-sim [OPTION...] MACHINE.json REQUEST...: runs service requests through the device work
// against a simulated machine and prints one JSON line per request. The options are the tray-side
// settings that the "list" request reads.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "apps/holvara-sim/requests.h"
#include "platform/sim/simulated_pc.h"

namespace {

using holvara::simtool::RequestError;
using holvara::simtool::RequestKind;

constexpr int kExitBadRequest = 1;
constexpr int kExitBadMachine = 2;

void PrintUsage() {
  std::cerr << "usage: holvara-sim [OPTION...] MACHINE.json REQUEST...\nrequests:";
  for (const RequestKind& kind : holvara::simtool::RequestKinds()) std::cerr << "\n  " << kind.usage;
  std::cerr << "\noptions (for list):"
               "\n  --search-code N      the \"SearchCode\" setting (default 64)"
               "\n  --basic N            the \"Basic\" setting (default 1)"
               "\n  --windows-dir PATH   the Windows directory (default C:\\Windows)"
               "\n  --current-dir PATH   the current directory (default C:\\Windows\\system32)"
               "\n  --file PATH          a file that exists, e.g. E:\\pagefile.sys (repeatable)\n";
}

int SettingNumber(const std::string& option, const std::string& word) {
  try {
    std::size_t used = 0;
    const int value = std::stoi(word, &used, 0);
    if (used == word.size()) return value;
  } catch (const std::exception&) {
  }
  throw RequestError{"\"" + option + "\" takes a number, not \"" + word + "\""};
}

// Takes the leading options off words and returns the settings they give.
holvara::simtool::TraySettings TakeOptions(std::vector<std::string>& words) {
  holvara::simtool::TraySettings settings;
  std::size_t at = 0;
  while (at < words.size() && words[at].starts_with("--")) {
    const std::string& option = words[at];
    if (at + 1 >= words.size()) throw RequestError{"\"" + option + "\" lacks its value"};
    const std::string& value = words[at + 1];
    if (option == "--search-code") {
      settings.searchCode = SettingNumber(option, value);
    } else if (option == "--basic") {
      settings.basic = SettingNumber(option, value);
    } else if (option == "--windows-dir") {
      settings.windowsDirectory = value;
    } else if (option == "--current-dir") {
      settings.currentDirectory = value;
    } else if (option == "--file") {
      settings.files.push_back(value);
    } else {
      throw RequestError{"unknown option \"" + option + "\""};
    }
    at += 2;
  }
  words.erase(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(at));
  return settings;
}

const RequestKind* FindKind(const std::string& name) {
  const auto kinds = holvara::simtool::RequestKinds();
  const auto found =
      std::find_if(kinds.begin(), kinds.end(), [&](const RequestKind& kind) { return kind.name == name; });
  return found == kinds.end() ? nullptr : &*found;
}

int Run(std::vector<std::string> words) {
  const holvara::simtool::TraySettings tray = TakeOptions(words);
  if (words.empty()) throw RequestError{"no machine file given"};
  holvara::sim::SimulatedPc pc(holvara::sim::LoadMachineFile(words[0]));
  holvara::DevicePorts ports{pc.tree(),  pc.interfaces(), pc.storage(),    pc.wmi(),
                             pc.debug(), pc.eventLog(),   pc.volumeNames()};
  holvara::DeviceService service(ports);
  holvara::simtool::RequestContext context{service, tray};
  for (std::size_t at = 1; at < words.size();) {
    const RequestKind* kind = FindKind(words[at]);
    if (!kind) throw RequestError{"unknown request \"" + words[at] + "\""};
    if (words.size() - at - 1 < kind->argumentCount)
      throw RequestError{"\"" + std::string(kind->usage) + "\" lacks arguments"};
    const std::span<const std::string> arguments(words.data() + at + 1, kind->argumentCount);
    std::cout << kind->run(context, arguments).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << '\n';
    at += 1 + kind->argumentCount;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty()) {
    PrintUsage();
    return kExitBadRequest;
  }
  try {
    return Run(words);
  } catch (const holvara::sim::MachineError& e) {
    std::cerr << "holvara-sim: " << e.what() << '\n';
    return kExitBadMachine;
  } catch (const RequestError& e) {
    std::cerr << "holvara-sim: " << e.message << '\n';
    PrintUsage();
    return kExitBadRequest;
  }
}
