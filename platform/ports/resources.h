// The resource library: a file of numbered strings, dialog templates, bitmaps, icons and cursors,
// loaded by bare file name. Destroying a loaded library frees it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/ports/program_windows.h"

namespace holvara {

// An icon, bitmap or cursor made from a resource; destroying it releases the system's image.
class ResourceImage {
 public:
  virtual ~ResourceImage() = default;
  virtual std::uintptr_t Handle() const = 0;
};

class ResourceLibrary {
 public:
  virtual ~ResourceLibrary() = default;
  // The string (LoadStringA) cut to buffer.size() - 1 bytes and terminated; returns its length.
  // An absent string gives an empty text and 0.
  virtual int String(std::uint32_t id, std::span<char> buffer) = 0;
  // An icon of the given size (LoadImageA with LR_VGACOLOR); null when there is none.
  virtual std::unique_ptr<ResourceImage> Icon(std::uint32_t id, int width, int height) = 0;
  virtual std::unique_ptr<ResourceImage> Bitmap(std::uint32_t id) = 0;
  virtual std::unique_ptr<ResourceImage> Cursor(std::uint32_t id) = 0;
  // The module that holds the library's dialog templates.
  virtual ModuleId Module() const = 0;
};

class ResourceLoader {
 public:
  virtual ~ResourceLoader() = default;
  // LoadLibraryA by bare file name; null when the library could not be loaded.
  virtual std::unique_ptr<ResourceLibrary> Load(std::string_view fileName) = 0;
};

}  // namespace holvara
