// The tool's text is UTF-8 throughout: device names are converted from the ANSI code page they
// arrive in, and text for a console is converted to UTF-16 at the end.
#pragma once

#include <string>
#include <string_view>

#include "platform/ports/ansi_text.h"

namespace holvara::cli {

// An unpaired surrogate becomes U+FFFD.
std::string Utf8(std::u16string_view text);
// A byte that does not begin a well-formed sequence becomes U+FFFD.
std::u16string Utf16(std::string_view utf8);

inline std::string AnsiToUtf8(AnsiText& ansi, std::string_view text) { return Utf8(ansi.ToUnicode(text)); }

}  // namespace holvara::cli
