#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <strings.h>

namespace holvara {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

class SimRegistryKey : public RegistryKey {
 public:
  SimRegistryKey(SimRegistry& registry, RegistryRoot root, std::string path, std::string_view spelling)
      : registry_(registry), root_(root), path_(std::move(path)), spelling_(spelling) {}

  long EnumValue(std::uint32_t index, std::uint32_t nameCapacity, std::span<std::uint8_t> data,
                 EnumeratedValue& value) override {
    std::vector<SimRegistryValue>* values = registry_.Values(root_, path_);
    if (values == nullptr) return reg::kFileNotFound;
    if (index >= values->size()) return reg::kNoMoreItems;
    const SimRegistryValue& stored = (*values)[index];
    if (stored.name.size() + 1 > nameCapacity || stored.data.size() > data.size()) return reg::kMoreData;
    std::copy(stored.data.begin(), stored.data.end(), data.begin());
    value = {stored.name, stored.type, static_cast<std::uint32_t>(stored.data.size())};
    return reg::kOk;
  }

  long QueryValue(std::string_view name, std::uint32_t& type, std::vector<std::uint8_t>& data) override {
    std::vector<SimRegistryValue>* values = registry_.Values(root_, path_);
    if (values == nullptr) return reg::kFileNotFound;
    for (const SimRegistryValue& stored : *values) {
      if (SameName(stored.name, name)) {
        type = stored.type;
        data = stored.data;
        return reg::kOk;
      }
    }
    return reg::kFileNotFound;
  }

  long SetValue(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data) override {
    if (registry_.Values(root_, path_) == nullptr) return reg::kFileNotFound;
    registry_.Store(root_, path_, spelling_, {std::string(name), type, {data.begin(), data.end()}});
    return reg::kOk;
  }

 private:
  SimRegistry& registry_;
  RegistryRoot root_;
  std::string path_;
  std::string spelling_;  // the path as the program spelled it, for the log of writes
};

}  // namespace

std::string SimRegistry::Normal(std::string_view path) {
  std::string normal(path);
  std::transform(normal.begin(), normal.end(), normal.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  while (!normal.empty() && normal.back() == '\\') normal.pop_back();
  return normal;
}

void SimRegistry::MakeKey(RegistryRoot root, const std::string& normalPath) {
  for (std::size_t end = normalPath.find('\\'); end != std::string::npos; end = normalPath.find('\\', end + 1)) {
    keys_.try_emplace({root, normalPath.substr(0, end)});
  }
  keys_.try_emplace({root, normalPath});
}

long SimRegistry::OpenKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) {
  const std::string normal = Normal(path);
  if (keys_.count({root, normal}) == 0) return reg::kFileNotFound;
  key = std::make_unique<SimRegistryKey>(*this, root, normal, path);
  return reg::kOk;
}

long SimRegistry::CreateKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) {
  const std::string normal = Normal(path);
  if (std::find(denied_.begin(), denied_.end(), KeyName{root, normal}) != denied_.end()) return reg::kAccessDenied;
  MakeKey(root, normal);
  key = std::make_unique<SimRegistryKey>(*this, root, normal, path);
  return reg::kOk;
}

std::vector<SimRegistryValue>* SimRegistry::Values(RegistryRoot root, const std::string& normalPath) {
  const auto found = keys_.find({root, normalPath});
  return found == keys_.end() ? nullptr : &found->second;
}

void SimRegistry::Store(RegistryRoot root, const std::string& normalPath, std::string_view spelling,
                        SimRegistryValue value) {
  writes_.push_back({root, std::string(spelling), value});
  std::vector<SimRegistryValue>& values = keys_[{root, normalPath}];
  for (SimRegistryValue& stored : values) {
    if (SameName(stored.name, value.name)) {
      stored = std::move(value);
      return;
    }
  }
  values.push_back(std::move(value));
}

void SimRegistry::SetDword(RegistryRoot root, std::string_view path, std::string_view name, std::uint32_t value) {
  std::vector<std::uint8_t> data(4);
  std::memcpy(data.data(), &value, 4);
  SetRaw(root, path, {std::string(name), reg::kDword, std::move(data)});
}

void SimRegistry::SetString(RegistryRoot root, std::string_view path, std::string_view name, std::string_view text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  SetRaw(root, path, {std::string(name), reg::kSz, std::move(data)});
}

void SimRegistry::SetRaw(RegistryRoot root, std::string_view path, SimRegistryValue value) {
  const KeyName name{root, Normal(path)};
  // Every key is made with its parents, so a key that exists needs nothing more.
  auto key = keys_.find(name);
  if (key == keys_.end()) {
    MakeKey(root, name.second);
    key = keys_.find(name);
  }
  std::vector<SimRegistryValue>& values = key->second;
  for (SimRegistryValue& stored : values) {
    if (SameName(stored.name, value.name)) {
      stored = std::move(value);
      return;
    }
  }
  values.push_back(std::move(value));
}

std::optional<SimRegistryValue> SimRegistry::Value(RegistryRoot root, std::string_view path,
                                                   std::string_view name) const {
  const auto key = keys_.find({root, Normal(path)});
  if (key == keys_.end()) return std::nullopt;
  for (const SimRegistryValue& stored : key->second) {
    if (SameName(stored.name, name)) return stored;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> SimRegistry::Dword(RegistryRoot root, std::string_view path, std::string_view name) const {
  const std::optional<SimRegistryValue> value = Value(root, path, name);
  if (!value || value->type != reg::kDword || value->data.size() != 4) return std::nullopt;
  std::uint32_t result = 0;
  std::memcpy(&result, value->data.data(), 4);
  return result;
}

bool SimRegistry::KeyExists(RegistryRoot root, std::string_view path) const {
  return keys_.count({root, Normal(path)}) != 0;
}

void SimRegistry::DenyCreation(RegistryRoot root, std::string_view path) { denied_.push_back({root, Normal(path)}); }

}  // namespace holvara
