// The installer's request to end, seen through the global named event.
#pragma once

#include "platform/ports/exit_request.h"

namespace holvara {

class Win32ExitRequest final : public ExitRequest {
 public:
  bool Raised() override;
};

}  // namespace holvara
