#include "tray/app/busy_markers.h"

namespace holvara {

std::string_view FirstBusyMarker(WindowProperties& properties, WindowId mainWindow) {
  for (std::string_view marker : kBusyMarkerOrder) {
    if (properties.Property(mainWindow, marker) != 0) return marker;
  }
  return {};
}

}  // namespace holvara
