// The registry value reader on any stored values: whatever names, types and data the key holds
// and whatever count the caller asks for, it copies the first value of that exact name whose data
// fits, cut to the count and padded with zeros, and writes nothing else; with no such value the
// caller's buffer stays as it was.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <strings.h>
#include <vector>

#include "platform/sim/sim_registry.h"
#include "tests/fuzz/fuzz_support.h"
#include "tray/app/registry_values.h"

namespace holvara {
namespace {

constexpr char kKeyPath[] = "Software\\ZELTO\\Holvara\\Common";
constexpr std::size_t kDataBuffer = 512;
constexpr std::size_t kNameBuffer = 256;
constexpr std::uint8_t kUntouched = 0xA5;

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

}  // namespace
}  // namespace holvara

// Input: key present (1 byte, odd), count (2 bytes), the name asked for (length byte, bytes),
// then stored values: name (length byte, bytes), type (1 byte), data (2-byte length, bytes).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace holvara;
  fuzz::InputReader input(data, size);
  const bool keyPresent = input.Byte() & 1;
  const std::size_t count = input.Word() % 1024;
  const std::string name(input.Text(input.Byte()));

  SimRegistry registry;
  std::vector<SimRegistryValue> stored;  // in enumeration order, as the registry keeps them
  if (keyPresent) registry.SetRaw(RegistryRoot::kCurrentUser, kKeyPath, {"Seed", reg::kDword, {0, 0, 0, 0}});
  if (keyPresent) stored.push_back({"Seed", reg::kDword, {0, 0, 0, 0}});
  while (keyPresent && !input.empty()) {
    SimRegistryValue value;
    value.name = std::string(input.Text(input.Byte()));
    value.type = input.Byte();
    const auto bytes = input.Take(input.Word() % 1024);
    value.data.assign(bytes.begin(), bytes.end());
    registry.SetRaw(RegistryRoot::kCurrentUser, kKeyPath, value);
    const auto same = std::find_if(stored.begin(), stored.end(),
                                   [&](const SimRegistryValue& s) { return SameNameIgnoringCase(s.name, value.name); });
    if (same != stored.end()) *same = value;
    else stored.push_back(value);
  }

  // Exactly count bytes on the heap, so a write past the caller's buffer is caught.
  const auto out = std::make_unique<std::uint8_t[]>(count);
  std::fill_n(out.get(), count, kUntouched);
  const long result =
      ReadRegistryValue(registry, RegistryRoot::kCurrentUser, kKeyPath, name, std::span(out.get(), count));

  if (!keyPresent) {
    FUZZ_CHECK(result == reg::kFileNotFound);
    FUZZ_CHECK(std::all_of(out.get(), out.get() + count, [](std::uint8_t b) { return b == kUntouched; }));
    return 0;
  }
  FUZZ_CHECK(result == reg::kOk);
  const std::size_t offered = std::min(count, kDataBuffer);
  const auto match = std::find_if(stored.begin(), stored.end(), [&](const SimRegistryValue& value) {
    return value.name.size() < kNameBuffer && value.data.size() <= offered && value.name == name;
  });
  std::vector<std::uint8_t> expected(count, kUntouched);
  if (match != stored.end()) {
    std::fill_n(expected.begin(), offered, 0);
    std::copy(match->data.begin(), match->data.end(), expected.begin());
  }
  FUZZ_CHECK(std::equal(expected.begin(), expected.end(), out.get()));
  return 0;
}
