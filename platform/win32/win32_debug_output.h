// Texts for an attached debugger (OutputDebugStringA).
#pragma once

#include "platform/ports/debug_output.h"

namespace holvara {

class Win32DebugOutput final : public DebugOutput {
 public:
  void Write(std::string_view text) override;
};

}  // namespace holvara
