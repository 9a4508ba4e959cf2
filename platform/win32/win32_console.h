// The standard streams over KERNEL32's console and file functions.
#pragma once

#include "platform/ports/console.h"

namespace holvara {

class Win32Console final : public Console {
 public:
  bool IsConsole(StandardStream stream) override;
  void WriteText(StandardStream stream, std::u16string_view text) override;
  void WriteBytes(StandardStream stream, std::string_view bytes) override;
};

}  // namespace holvara
