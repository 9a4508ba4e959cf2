// Resource libraries for the simulated PC: numbered strings (bytes in the library's code page),
// dialog templates with their controls, and which bitmaps, icons and cursors exist. A loaded
// library's module id is the address of its data, which the simulated desktop reads dialog
// templates from.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/resources.h"

namespace holvara {

enum class SimControlKind { kStatic, kButton, kCheckBox, kListView };

struct SimControlTemplate {
  int id = 0;
  SimControlKind kind = SimControlKind::kStatic;
  std::string text;
};

struct SimDialogTemplate {
  std::string caption;
  bool closeBox = false;
  std::vector<SimControlTemplate> controls;
};

struct SimResourceData {
  static constexpr std::uint32_t kMagic = 0x48525344;  // tells the desktop a module id is one of these
  std::uint32_t magic = kMagic;
  std::string fileName;
  std::map<std::uint32_t, std::string> strings;
  std::map<int, SimDialogTemplate> dialogs;
  std::set<std::uint32_t> bitmaps;
  std::set<std::uint32_t> icons;
  std::set<std::uint32_t> cursors;
};

// The data behind a module id, or null when the id is not a simulated library.
const SimResourceData* SimResourceDataOf(ModuleId module);

struct SimLoadedImage {
  char kind;  // 'i' icon, 'b' bitmap, 'c' cursor
  std::uint32_t id;
  int width;
  int height;
};

class SimResourceLoader : public ResourceLoader {
 public:
  // Makes the library loadable by its file name (compared without regard to case).
  void Install(const SimResourceData& data) { installed_.push_back(&data); }
  void Uninstall(std::string_view fileName);

  std::unique_ptr<ResourceLibrary> Load(std::string_view fileName) override;

  // Every name asked for, in order, and how many loaded libraries are not freed yet.
  const std::vector<std::string>& attempts() const { return attempts_; }
  int loadedCount() const { return *loaded_; }
  // Every image made from a library, in order.
  const std::vector<SimLoadedImage>& images() const { return *images_; }

 private:
  std::vector<const SimResourceData*> installed_;
  std::vector<std::string> attempts_;
  std::shared_ptr<int> loaded_ = std::make_shared<int>(0);
  std::shared_ptr<std::vector<SimLoadedImage>> images_ = std::make_shared<std::vector<SimLoadedImage>>();
};

}  // namespace holvara
