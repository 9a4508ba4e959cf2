// holvara-sim MACHINE.json REQUEST...: runs service requests through the device work against a
// simulated machine and prints one JSON line per request.
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
  std::cerr << "usage: holvara-sim MACHINE.json REQUEST...\nrequests:";
  for (const RequestKind& kind : holvara::simtool::RequestKinds()) std::cerr << "\n  " << kind.usage;
  std::cerr << "\n";
}

const RequestKind* FindKind(const std::string& name) {
  const auto kinds = holvara::simtool::RequestKinds();
  const auto found = std::find_if(kinds.begin(), kinds.end(), [&](const RequestKind& kind) { return kind.name == name; });
  return found == kinds.end() ? nullptr : &*found;
}

int Run(const std::vector<std::string>& words) {
  holvara::sim::SimulatedPc pc(holvara::sim::LoadMachineFile(words[0]));
  holvara::DevicePorts ports{pc.tree(), pc.interfaces(), pc.storage(), pc.wmi(), pc.debug()};
  holvara::DeviceService service(ports);
  for (std::size_t at = 1; at < words.size();) {
    const RequestKind* kind = FindKind(words[at]);
    if (!kind) throw RequestError{"unknown request \"" + words[at] + "\""};
    if (words.size() - at - 1 < kind->argumentCount) throw RequestError{"\"" + std::string(kind->usage) + "\" lacks arguments"};
    const std::span<const std::string> arguments(words.data() + at + 1, kind->argumentCount);
    std::cout << kind->run(service, arguments).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
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
