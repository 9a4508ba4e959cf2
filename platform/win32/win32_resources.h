// Resource libraries loaded with LoadLibraryA, and the strings and images they hold.
#pragma once

#include "platform/ports/resources.h"

namespace holvara {

class Win32ResourceLoader final : public ResourceLoader {
 public:
  std::unique_ptr<ResourceLibrary> Load(std::string_view fileName) override;
};

}  // namespace holvara
