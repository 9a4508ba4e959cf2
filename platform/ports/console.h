// The process's standard streams as a command-line program meets them: whether one is a console.
#pragma once

namespace holvara {

enum class StandardStream { kInput, kOutput, kError };

class Console {
 public:
  virtual ~Console() = default;
  // True when the stream is a console; a file, a pipe or the NUL device is not.
  virtual bool IsConsole(StandardStream stream) = 0;
};

}  // namespace holvara
