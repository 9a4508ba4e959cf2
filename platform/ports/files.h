// The file system as the tray program needs it: whether a file is found, and the few folders and
// paths it asks the system for.
#pragma once

#include <string>
#include <string_view>

namespace holvara {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // A file search for the path (FindFirstFileA): true when it finds something; the search is closed.
  virtual bool Find(std::string_view path) = 0;
  virtual std::string WindowsDirectory() = 0;
  virtual std::string CurrentDirectory() = 0;
  // The full path of the running program (GetModuleFileNameA of its own module).
  virtual std::string ModuleFileName() = 0;
};

}  // namespace holvara
