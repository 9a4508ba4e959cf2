#include "tray/app/registry_values.h"

#include <algorithm>
#include <array>
#include <memory>

namespace holvara {

namespace {
constexpr std::uint32_t kNameCapacity = 256;
constexpr std::size_t kDataCapacity = 512;
}  // namespace

long ReadRegistryValue(Registry& registry, RegistryRoot root, std::string_view path, std::string_view name,
                       std::span<std::uint8_t> out) {
  std::unique_ptr<RegistryKey> key;
  const long opened = registry.OpenKey(root, path, key);
  if (opened != reg::kOk) return opened;
  // A count beyond the data buffer would read past it; the buffer bounds what can be asked for.
  const std::size_t count = std::min(out.size(), kDataCapacity);
  std::array<std::uint8_t, kDataCapacity> data;
  for (std::uint32_t index = 0;; ++index) {
    // Cleared for every value, so a short match never carries bytes of a value seen before.
    data.fill(0);
    EnumeratedValue value;
    const long result = key->EnumValue(index, kNameCapacity, std::span(data).first(count), value);
    if (result == reg::kMoreData) continue;  // too large for the caller: not this one
    if (result != reg::kOk) break;           // no more values, or the key went away
    if (value.name == name) {
      std::copy_n(data.begin(), count, out.begin());
      break;
    }
  }
  return reg::kOk;
}

void WriteRegistryValue(Registry& registry, RegistryRoot root, int kind, std::string_view path, std::string_view name,
                        std::span<const std::uint8_t> data) {
  std::unique_ptr<RegistryKey> key;
  if (registry.CreateKey(root, path, key) != reg::kOk) return;
  const std::uint8_t firstByte = data.empty() ? 0 : data[0];
  switch (kind) {
    case kWriteText:
      key->SetValue(name, reg::kSz, data);
      break;
    case kWriteDword: {
      const std::array<std::uint8_t, 4> widened{firstByte, 0, 0, 0};
      key->SetValue(name, reg::kDword, widened);
      break;
    }
    default:
      key->SetValue(name, reg::kBinary, std::span(&firstByte, 1));
      break;
  }
}

}  // namespace holvara
