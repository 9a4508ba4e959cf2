#include "tray/app/busy_markers.h"

namespace holvara {

std::string_view FirstBusyMarker(Ui& ui, WindowId mainWindow) {
  for (std::string_view marker : kBusyMarkerOrder) {
    if (ui.Property(mainWindow, marker) != 0) return marker;
  }
  return {};
}

}  // namespace holvara
