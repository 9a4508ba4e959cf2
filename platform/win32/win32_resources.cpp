#include "platform/win32/win32_resources.h"

#include <windows.h>

#include <string>

namespace holvara {

namespace {

// An image made from a resource, released by the function that fits its kind.
class Win32Image final : public ResourceImage {
 public:
  using Release = void (*)(HANDLE);
  Win32Image(HANDLE handle, Release release) : handle_(handle), release_(release) {}
  ~Win32Image() override {
    if (release_) release_(handle_);
  }
  Win32Image(const Win32Image&) = delete;
  Win32Image& operator=(const Win32Image&) = delete;
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(handle_); }

 private:
  HANDLE handle_;
  Release release_;
};

std::unique_ptr<ResourceImage> Wrap(HANDLE handle, Win32Image::Release release) {
  return handle ? std::make_unique<Win32Image>(handle, release) : nullptr;
}

class Win32ResourceLibrary final : public ResourceLibrary {
 public:
  explicit Win32ResourceLibrary(HMODULE module) : module_(module) {}
  ~Win32ResourceLibrary() override { FreeLibrary(module_); }
  Win32ResourceLibrary(const Win32ResourceLibrary&) = delete;
  Win32ResourceLibrary& operator=(const Win32ResourceLibrary&) = delete;

  int String(std::uint32_t id, std::span<char> buffer) override {
    if (buffer.empty()) return 0;
    buffer[0] = '\0';
    return LoadStringA(module_, id, buffer.data(), static_cast<int>(buffer.size()));
  }

  std::unique_ptr<ResourceImage> Icon(std::uint32_t id, int width, int height) override {
    return Wrap(LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, LR_VGACOLOR),
                [](HANDLE icon) { DestroyIcon(static_cast<HICON>(icon)); });
  }

  std::unique_ptr<ResourceImage> Bitmap(std::uint32_t id) override {
    return Wrap(LoadBitmapA(module_, MAKEINTRESOURCEA(id)), [](HANDLE bitmap) { DeleteObject(bitmap); });
  }

  // Cursors loaded this way are shared by the system and never destroyed.
  std::unique_ptr<ResourceImage> Cursor(std::uint32_t id) override {
    return Wrap(LoadCursorA(module_, MAKEINTRESOURCEA(id)), nullptr);
  }

  ModuleId Module() const override { return reinterpret_cast<ModuleId>(module_); }

 private:
  HMODULE module_;
};

}  // namespace

std::unique_ptr<ResourceLibrary> Win32ResourceLoader::Load(std::string_view fileName) {
  HMODULE module = LoadLibraryA(std::string(fileName).c_str());
  return module ? std::make_unique<Win32ResourceLibrary>(module) : nullptr;
}

}  // namespace holvara
