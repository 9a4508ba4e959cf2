// The simulated process's standard streams: which of them is a console is the test's choice, and
// what each was given is kept, as text for a console and as bytes for anything else.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/ports/console.h"

namespace holvara {

class SimConsole : public Console {
 public:
  bool IsConsole(StandardStream stream) override { return consoles.contains(stream); }
  void WriteText(StandardStream stream, std::u16string_view text) override { texts[stream] += text; }
  void WriteBytes(StandardStream stream, std::string_view bytes) override { this->bytes[stream] += bytes; }

  std::set<StandardStream> consoles;
  std::map<StandardStream, std::u16string> texts;
  std::map<StandardStream, std::string> bytes;
};

}  // namespace holvara
