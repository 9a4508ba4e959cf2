#include "platform/sim/sim_resources.h"

#include <algorithm>
#include <strings.h>

namespace holvara {

const SimResourceData* SimResourceDataOf(ModuleId module) {
  const auto* data = reinterpret_cast<const SimResourceData*>(module);
  return data != nullptr && data->magic == SimResourceData::kMagic ? data : nullptr;
}

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

class SimImage : public ResourceImage {
 public:
  explicit SimImage(std::uintptr_t handle) : handle_(handle) {}
  std::uintptr_t Handle() const override { return handle_; }

 private:
  std::uintptr_t handle_;
};

class SimResourceLibrary : public ResourceLibrary {
 public:
  SimResourceLibrary(const SimResourceData& data, std::shared_ptr<int> loaded,
                     std::shared_ptr<std::vector<SimLoadedImage>> images)
      : data_(data), loaded_(std::move(loaded)), images_(std::move(images)) {
    ++*loaded_;
  }
  ~SimResourceLibrary() override { --*loaded_; }

  int String(std::uint32_t id, std::span<char> buffer) override {
    if (buffer.empty()) return 0;
    const auto found = data_.strings.find(id);
    const std::string_view text = found == data_.strings.end() ? std::string_view() : found->second;
    const std::size_t length = std::min(text.size(), buffer.size() - 1);
    std::copy_n(text.data(), length, buffer.data());
    buffer[length] = '\0';
    return static_cast<int>(length);
  }

  std::unique_ptr<ResourceImage> Icon(std::uint32_t id, int width, int height) override {
    return Make('i', data_.icons, id, width, height);
  }
  std::unique_ptr<ResourceImage> Bitmap(std::uint32_t id) override { return Make('b', data_.bitmaps, id, 0, 0); }
  std::unique_ptr<ResourceImage> Cursor(std::uint32_t id) override { return Make('c', data_.cursors, id, 0, 0); }

  ModuleId Module() const override { return reinterpret_cast<ModuleId>(&data_); }

 private:
  std::unique_ptr<ResourceImage> Make(char kind, const std::set<std::uint32_t>& present, std::uint32_t id, int width,
                                      int height) {
    if (present.count(id) == 0) return nullptr;
    images_->push_back({kind, id, width, height});
    return std::make_unique<SimImage>((static_cast<std::uintptr_t>(kind) << 24) | id);
  }

  const SimResourceData& data_;
  std::shared_ptr<int> loaded_;
  std::shared_ptr<std::vector<SimLoadedImage>> images_;
};

}  // namespace

void SimResourceLoader::Uninstall(std::string_view fileName) {
  std::erase_if(installed_, [&](const SimResourceData* data) { return SameName(data->fileName, fileName); });
}

std::unique_ptr<ResourceLibrary> SimResourceLoader::Load(std::string_view fileName) {
  attempts_.emplace_back(fileName);
  for (const SimResourceData* data : installed_) {
    if (SameName(data->fileName, fileName)) return std::make_unique<SimResourceLibrary>(*data, loaded_, images_);
  }
  return nullptr;
}

}  // namespace holvara
