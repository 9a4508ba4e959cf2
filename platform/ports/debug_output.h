// Short diagnostic texts for a debugger (OutputDebugStringA on Windows). Nothing reads them back
// except tests, which may check that a text was written.
#pragma once

#include <string_view>

namespace holvara {

class DebugOutput {
 public:
  virtual ~DebugOutput() = default;
  virtual void Write(std::string_view text) = 0;
};

}  // namespace holvara
