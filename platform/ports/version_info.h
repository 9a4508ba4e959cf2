// The version block of a program file (GetFileVersionInfoA) and its values (VerQueryValueA).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace holvara {

class VersionBlock {
 public:
  virtual ~VersionBlock() = default;
  // The text at a path such as "\StringFileInfo\041104b0\FileVersion", or nothing when the
  // block has none.
  virtual std::optional<std::string> Text(std::string_view path) = 0;
};

class VersionInfo {
 public:
  virtual ~VersionInfo() = default;
  // The block of the file found by this name (a bare name is looked for the way the system
  // loads a program), or null when it has none or cannot be found.
  virtual std::unique_ptr<VersionBlock> Read(std::string_view fileName) = 0;
};

}  // namespace holvara
