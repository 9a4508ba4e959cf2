// ANSI text as Unicode over KERNEL32's MultiByteToWideChar.
#pragma once

#include "platform/ports/ansi_text.h"

namespace holvara {

class Win32AnsiText final : public AnsiText {
 public:
  std::u16string ToUnicode(std::string_view ansi) override;
};

}  // namespace holvara
