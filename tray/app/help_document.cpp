#include "tray/app/help_document.h"

#include <string_view>

namespace holvara {

namespace {

constexpr std::size_t kDirectoryLimit = 255;  // a 256-byte buffer
constexpr std::size_t kPathLimit = 259;       // a 260-byte buffer

// The drive ("C:") and folder ("\dir\", with its last separator) of a path, as _splitpath gives
// them.
std::string FolderOf(std::string_view path) {
  std::string_view drive;
  if (path.size() >= 2 && path[1] == ':') {
    drive = path.substr(0, 2);
    path.remove_prefix(2);
  }
  const std::size_t lastSeparator = path.find_last_of("\\/");
  const std::string_view directory =
      lastSeparator == std::string_view::npos ? std::string_view() : path.substr(0, lastSeparator + 1);
  std::string folder(drive);
  folder.append(directory.substr(0, kDirectoryLimit));
  return folder;
}

}  // namespace

std::string HelpDocumentPath(FileSystem& files) {
  const std::string folder = FolderOf(files.ModuleFileName());
  const std::string index = (folder + "Index.html").substr(0, kPathLimit);
  if (files.Find(index)) return index;
  return (folder + "ZELTODockWarden.pdf").substr(0, kPathLimit);
}

}  // namespace holvara
