// A dialog's busy marker on the main window, set when the dialog's window is made and removed when
// it goes. A dialog removes only a marker it set itself: a rescan run inside another rescan finds
// the marker set already and leaves it to the outer one.
#pragma once

#include <string_view>

#include "platform/ports/window_properties.h"

namespace holvara {

class DialogBusyMarker {
 public:
  explicit DialogBusyMarker(std::string_view name) : name_(name) {}

  void Set(WindowProperties& properties, WindowId mainWindow) {
    owned_ = properties.Property(mainWindow, name_) == 0 && properties.SetProperty(mainWindow, name_, 1);
  }
  void Remove(WindowProperties& properties, WindowId mainWindow) {
    if (owned_) properties.RemoveProperty(mainWindow, name_);
    owned_ = false;
  }

 private:
  std::string_view name_;
  bool owned_ = false;
};

}  // namespace holvara
