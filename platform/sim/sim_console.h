// The simulated process's standard streams: which of them is a console is the test's choice.
#pragma once

#include <set>

#include "platform/ports/console.h"

namespace holvara {

class SimConsole : public Console {
 public:
  bool IsConsole(StandardStream stream) override { return consoles.contains(stream); }

  std::set<StandardStream> consoles;
};

}  // namespace holvara
