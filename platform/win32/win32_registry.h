// The registry over ADVAPI32.
#pragma once

#include "platform/ports/registry.h"

namespace holvara {

class Win32Registry final : public Registry {
 public:
  long OpenKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) override;
  long CreateKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) override;
};

}  // namespace holvara
