#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <string>

namespace holvara {

namespace {

HKEY RootKey(RegistryRoot root) { return root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}
  ~Win32RegistryKey() override { RegCloseKey(key_); }
  Win32RegistryKey(const Win32RegistryKey&) = delete;
  Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

  long EnumValue(std::uint32_t index, std::uint32_t nameCapacity, std::span<std::uint8_t> data,
                 EnumeratedValue& value) override {
    std::string name(nameCapacity, '\0');
    DWORD nameSize = nameCapacity;
    DWORD type = 0;
    DWORD dataSize = static_cast<DWORD>(data.size());
    const LONG result = RegEnumValueA(key_, index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
    if (result == ERROR_SUCCESS) {
      name.resize(nameSize);
      value = {std::move(name), type, dataSize};
    }
    return result;
  }

  long QueryValue(std::string_view name, std::uint32_t& type, std::vector<std::uint8_t>& data) override {
    const std::string valueName(name);
    DWORD valueType = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key_, valueName.c_str(), nullptr, &valueType, nullptr, &size);
    if (result != ERROR_SUCCESS) return result;
    data.assign(size, 0);
    result = RegQueryValueExA(key_, valueName.c_str(), nullptr, &valueType, data.data(), &size);
    if (result == ERROR_SUCCESS) {
      data.resize(size);
      type = valueType;
    }
    return result;
  }

  long SetValue(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data) override {
    return RegSetValueExA(key_, std::string(name).c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
  }

 private:
  HKEY key_;
};

}  // namespace

long Win32Registry::OpenKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) {
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(RootKey(root), std::string(path).c_str(), 0, KEY_READ, &opened);
  if (result == ERROR_SUCCESS) key = std::make_unique<Win32RegistryKey>(opened);
  return result;
}

long Win32Registry::CreateKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) {
  HKEY created = nullptr;
  const LONG result = RegCreateKeyExA(RootKey(root), std::string(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, &created, nullptr);
  if (result == ERROR_SUCCESS) key = std::make_unique<Win32RegistryKey>(created);
  return result;
}

}  // namespace holvara
