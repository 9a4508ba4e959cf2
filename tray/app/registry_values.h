// The application's direct registry access, beside the framework's profile: one value read by
// enumerating its key, and one value written by kind.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ports/registry.h"

namespace holvara {

// Kinds of the registry value writer.
inline constexpr int kWriteText = 1;    // REG_SZ, the data as given
inline constexpr int kWriteBinary = 3;  // REG_BINARY, the first byte
inline constexpr int kWriteDword = 4;   // REG_DWORD, the first byte widened to 32 bits

// Looks for the value by its exact (case-sensitive) name among the key's values and copies the
// first out.size() bytes of its data into out. A value larger than out does not fit and is passed
// over, leaving out untouched. Returns the error of opening the key, else 0.
long ReadRegistryValue(Registry& registry, RegistryRoot root, std::string_view path, std::string_view name,
                       std::span<std::uint8_t> out);

// Creates or opens the key and stores the value as its kind says. Nothing is written when the
// key cannot be made.
void WriteRegistryValue(Registry& registry, RegistryRoot root, int kind, std::string_view path, std::string_view name,
                        std::span<const std::uint8_t> data);

}  // namespace holvara
