// A standard stream of the tool as an ostream of UTF-8 text. To a console the text goes as wide
// characters, whatever the console's code page; to a file or pipe as UTF-8 bytes without a byte
// order mark, so a script reads JSON as it is. Lines end with CR LF, as Windows text does. Text
// is passed on line by line (and on flush), so a sequence is never split and a message written
// before a long wait is seen before it.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

#include "platform/ports/console.h"

namespace holvara::cli {

class ConsoleStreamBuf : public std::streambuf {
 public:
  ConsoleStreamBuf(Console& console, StandardStream stream);
  ~ConsoleStreamBuf() override;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  void Pass();

  Console& console_;
  StandardStream stream_;
  bool toConsole_;
  std::string line_;
};

class ConsoleStream : public std::ostream {
 public:
  ConsoleStream(Console& console, StandardStream stream) : std::ostream(&buffer_), buffer_(console, stream) {}

 private:
  ConsoleStreamBuf buffer_;
};

}  // namespace holvara::cli
