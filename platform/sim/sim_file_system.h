// A file system of a few named files and folders, for the tray's logic.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "platform/ports/files.h"

namespace holvara {

class SimFileSystem : public FileSystem {
 public:
  bool Find(std::string_view path) override { return files_.count(std::string(path)) != 0; }
  std::string WindowsDirectory() override { return windowsDirectory_; }
  std::string CurrentDirectory() override { return currentDirectory_; }
  std::string ModuleFileName() override { return moduleFileName_; }

  void AddFile(std::string path) { files_.insert(std::move(path)); }
  void RemoveFile(const std::string& path) { files_.erase(path); }
  void SetWindowsDirectory(std::string path) { windowsDirectory_ = std::move(path); }
  void SetCurrentDirectory(std::string path) { currentDirectory_ = std::move(path); }
  void SetModuleFileName(std::string path) { moduleFileName_ = std::move(path); }

 private:
  std::set<std::string> files_;
  std::string windowsDirectory_ = "C:\\Windows";
  std::string currentDirectory_ = "C:\\Program Files\\ZELTO\\Holvara";
  std::string moduleFileName_ = "C:\\Program Files\\ZELTO\\Holvara\\Holvara.exe";
};

}  // namespace holvara
