// A registry in memory: keys by root and path (compared without regard to case, as the system
// does), each with its values in the order they were first written. Tests seed it, read it back
// and see every write in order.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ports/registry.h"

namespace holvara {

struct SimRegistryValue {
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct SimRegistryWrite {
  RegistryRoot root;
  std::string path;  // as the program spelled it
  SimRegistryValue value;
};

class SimRegistry : public Registry {
 public:
  long OpenKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) override;
  long CreateKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) override;

  // Seeding and inspection.
  void SetDword(RegistryRoot root, std::string_view path, std::string_view name, std::uint32_t value);
  // A REG_SZ value stored with its terminator.
  void SetString(RegistryRoot root, std::string_view path, std::string_view name, std::string_view text);
  void SetRaw(RegistryRoot root, std::string_view path, SimRegistryValue value);
  std::optional<SimRegistryValue> Value(RegistryRoot root, std::string_view path, std::string_view name) const;
  std::optional<std::uint32_t> Dword(RegistryRoot root, std::string_view path, std::string_view name) const;
  bool KeyExists(RegistryRoot root, std::string_view path) const;
  // Later creations of this key fail with access denied.
  void DenyCreation(RegistryRoot root, std::string_view path);
  const std::vector<SimRegistryWrite>& writes() const { return writes_; }

  // Used by the open keys.
  std::vector<SimRegistryValue>* Values(RegistryRoot root, const std::string& normalPath);
  void Store(RegistryRoot root, const std::string& normalPath, std::string_view spelling, SimRegistryValue value);

 private:
  using KeyName = std::pair<RegistryRoot, std::string>;

  static std::string Normal(std::string_view path);
  void MakeKey(RegistryRoot root, const std::string& normalPath);

  std::map<KeyName, std::vector<SimRegistryValue>> keys_;
  std::vector<KeyName> denied_;
  std::vector<SimRegistryWrite> writes_;
};

}  // namespace holvara
