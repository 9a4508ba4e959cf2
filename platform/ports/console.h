// The process's standard streams as a command-line program meets them: whether one is a console,
// and writing to it as a console takes text (wide characters) or as a file or pipe takes bytes.
#pragma once

#include <string_view>

namespace holvara {

enum class StandardStream { kInput, kOutput, kError };

class Console {
 public:
  virtual ~Console() = default;
  // True when the stream is a console; a file, a pipe or the NUL device is not.
  virtual bool IsConsole(StandardStream stream) = 0;
  // Wide characters to a stream that is a console (WriteConsoleW).
  virtual void WriteText(StandardStream stream, std::u16string_view text) = 0;
  // Bytes as they are to a stream that is not (WriteFile).
  virtual void WriteBytes(StandardStream stream, std::string_view bytes) = 0;
};

}  // namespace holvara
