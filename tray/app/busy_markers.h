// Busy markers: properties on the main window, named after the open dialog or the running
// activity, that keep the main window from starting a second activity. Their names are in
// common/, since the frame, the dialogs and the application each set some of them.
#pragma once

#include <string_view>

#include "common/busy_marker_names.h"
#include "platform/ports/window_properties.h"
#include "tray/dialogs/busy_marker.h"

namespace holvara {

// The first marker set on the window, or an empty view when none is.
std::string_view FirstBusyMarker(WindowProperties& properties, WindowId mainWindow);

// A busy marker held for as long as an activity runs, boxes and dialogs included: set when made,
// removed when it goes, unless it was set already (then its first holder removes it).
class ScopedBusyMarker {
 public:
  ScopedBusyMarker(WindowProperties& properties, WindowId mainWindow, std::string_view name)
      : properties_(properties), window_(mainWindow), marker_(name) {
    marker_.Set(properties_, window_);
  }
  ~ScopedBusyMarker() { marker_.Remove(properties_, window_); }
  ScopedBusyMarker(const ScopedBusyMarker&) = delete;
  ScopedBusyMarker& operator=(const ScopedBusyMarker&) = delete;

 private:
  WindowProperties& properties_;
  WindowId window_;
  DialogBusyMarker marker_;
};

}  // namespace holvara
