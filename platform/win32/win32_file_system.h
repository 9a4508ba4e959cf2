// The tray program's file queries over KERNEL32.
#pragma once

#include "platform/ports/files.h"

namespace holvara {

class Win32FileSystem final : public FileSystem {
 public:
  bool Find(std::string_view path) override;
  std::string WindowsDirectory() override;
  std::string CurrentDirectory() override;
  std::string ModuleFileName() override;
};

}  // namespace holvara
