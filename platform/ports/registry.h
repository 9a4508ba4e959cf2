// The registry as the tray program reaches it: keys under the current user's and the machine's
// roots, opened for reading or created for writing, their values enumerated, read and written.
// Results are the system's error codes (0 is success), so the logic can follow them exactly.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace holvara {

enum class RegistryRoot { kCurrentUser, kLocalMachine };

namespace reg {
inline constexpr long kOk = 0;
inline constexpr long kFileNotFound = 2;
inline constexpr long kAccessDenied = 5;
inline constexpr long kMoreData = 234;
inline constexpr long kNoMoreItems = 259;

inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
}  // namespace reg

struct EnumeratedValue {
  std::string name;
  std::uint32_t type = 0;
  std::uint32_t size = 0;  // bytes of data
};

// An open key; destroying it closes the key.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // The value at index (RegEnumValueA): its name in nameCapacity bytes with the terminator, its
  // data copied into data. kMoreData when the name or the data does not fit, kNoMoreItems past
  // the last value.
  virtual long EnumValue(std::uint32_t index, std::uint32_t nameCapacity, std::span<std::uint8_t> data,
                         EnumeratedValue& value) = 0;
  virtual long QueryValue(std::string_view name, std::uint32_t& type, std::vector<std::uint8_t>& data) = 0;
  virtual long SetValue(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens an existing key for reading (KEY_READ).
  virtual long OpenKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) = 0;
  // Opens the key with full access, creating it and any missing parent (non-volatile).
  virtual long CreateKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) = 0;
};

}  // namespace holvara
