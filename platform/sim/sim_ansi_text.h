// ANSI text of a simulated system's code page as Unicode, with the C library's conversion tables
// (iconv's CP932, CP1252, ...). Native builds only: MinGW has no iconv, and a Windows build
// converts with the system's own tables.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "platform/ports/ansi_text.h"

namespace holvara {

class SimAnsiText : public AnsiText {
 public:
  explicit SimAnsiText(std::uint32_t codePage) : codePage_("CP" + std::to_string(codePage)) {}

  // Like MultiByteToWideChar without flags: an undefined byte sequence becomes a replacement
  // character (here U+FFFD) and the conversion goes on after its first byte.
  std::u16string ToUnicode(std::string_view ansi) override {
    const iconv_t converter = iconv_open("UTF-16LE", codePage_.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) return {};
    std::u16string text;
    std::string input(ansi);
    char* in = input.data();
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
      char buffer[256];
      char* out = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
      for (const char* at = buffer; at + 1 < out; at += 2) {
        text += static_cast<char16_t>(static_cast<std::uint8_t>(at[0]) | static_cast<std::uint8_t>(at[1]) << 8);
      }
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        text += u'\uFFFD';
        ++in;
        --inLeft;
      }
    }
    iconv_close(converter);
    return text;
  }

 private:
  std::string codePage_;
};

}  // namespace holvara
