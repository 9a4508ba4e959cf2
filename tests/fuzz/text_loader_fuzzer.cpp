// The application's text loader on any stored string: whatever bytes the resource library holds
// under a number and whatever buffer the caller offers, the text comes back cut to the buffer
// less one byte, terminated, with its length returned, and nothing is written past the end.
#include <algorithm>
#include <memory>
#include <string>

#include "tests/fuzz/fuzz_support.h"
#include "tray/app/holvara_app.h"
#include "tray/app/tests/sim_tray_pc.h"

namespace holvara {
namespace {

constexpr char kUntouched = '\x5A';

// One running program for the whole run; each input changes only the string it stores.
struct RunningProgram {
  RunningProgram() {
    pc.resources.Uninstall(kEnglishLibrary);
    pc.resources.Install(library);
    FUZZ_CHECK(app.InitInstance());
  }

  SimTrayPc pc;
  SimResourceData library = EnglishResourceLibrary();
  CHolvaraApp app{pc.ports(), pc.client()};
};

RunningProgram& Program() {
  static RunningProgram* program = new RunningProgram;
  return *program;
}

}  // namespace
}  // namespace holvara

// Input: string number (2 bytes), buffer size (2 bytes), absent (1 byte, odd), then the string.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace holvara;
  RunningProgram& program = Program();
  fuzz::InputReader input(data, size);
  const std::uint32_t id = input.Word();
  const std::size_t bufferSize = input.Word() % 512;
  const bool absent = input.Byte() & 1;
  const std::string stored(input.Text(input.left()));
  const std::string previous = program.library.strings.count(id) ? program.library.strings[id] : std::string();
  const bool existed = program.library.strings.count(id) != 0;
  if (absent) program.library.strings.erase(id);
  else program.library.strings[id] = stored;

  // Exactly the offered size on the heap, so a write past the buffer is caught.
  const auto buffer = std::make_unique<char[]>(bufferSize);
  std::fill_n(buffer.get(), bufferSize, kUntouched);
  const int length = program.app.LoadText(id, std::span(buffer.get(), bufferSize));

  const std::string_view text = absent ? std::string_view() : std::string_view(stored);
  if (bufferSize == 0) {
    FUZZ_CHECK(length == 0);
  } else {
    const std::size_t expected = std::min(text.size(), bufferSize - 1);
    FUZZ_CHECK(length >= 0 && static_cast<std::size_t>(length) == expected);
    FUZZ_CHECK(std::equal(text.begin(), text.begin() + expected, buffer.get()));
    FUZZ_CHECK(buffer[expected] == '\0');
    FUZZ_CHECK(
        std::all_of(buffer.get() + expected + 1, buffer.get() + bufferSize, [](char c) { return c == kUntouched; }));
  }

  // The program's own texts stay as they were for the next input.
  if (existed) program.library.strings[id] = previous;
  else program.library.strings.erase(id);
  return 0;
}
