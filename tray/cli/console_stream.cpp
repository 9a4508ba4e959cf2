#include "tray/cli/console_stream.h"

#include "tray/cli/unicode_text.h"

namespace holvara::cli {

ConsoleStreamBuf::ConsoleStreamBuf(Console& console, StandardStream stream)
    : console_(console), stream_(stream), toConsole_(console.IsConsole(stream)) {}

ConsoleStreamBuf::~ConsoleStreamBuf() { Pass(); }

ConsoleStreamBuf::int_type ConsoleStreamBuf::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  if (c == '\n') {
    line_ += "\r\n";
    Pass();
  } else {
    line_ += traits_type::to_char_type(c);
  }
  return c;
}

int ConsoleStreamBuf::sync() {
  Pass();
  return 0;
}

void ConsoleStreamBuf::Pass() {
  if (line_.empty()) return;
  if (toConsole_) {
    console_.WriteText(stream_, Utf16(line_));
  } else {
    console_.WriteBytes(stream_, line_);
  }
  line_.clear();
}

}  // namespace holvara::cli
