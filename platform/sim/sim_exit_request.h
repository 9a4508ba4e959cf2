// The installer's request to end on the simulated PC: a test raises and lowers it.
#pragma once

#include "platform/ports/exit_request.h"

namespace holvara {

class SimExitRequest : public ExitRequest {
 public:
  bool Raised() override { return raised; }

  bool raised = false;
};

}  // namespace holvara
