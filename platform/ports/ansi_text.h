// Text of the system's ANSI code page, in which the service's device names arrive, as Unicode.
#pragma once

#include <string>
#include <string_view>

namespace holvara {

class AnsiText {
 public:
  virtual ~AnsiText() = default;
  // MultiByteToWideChar with CP_ACP: a byte sequence the code page does not define becomes a
  // replacement character, never a stray byte.
  virtual std::u16string ToUnicode(std::string_view ansi) = 0;
};

}  // namespace holvara
