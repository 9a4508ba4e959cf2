// Busy markers: properties on the main window, named after the open dialog or the running
// activity, that keep the main window from starting a second activity. The names live with the
// main frame, which sets some of them itself.
#pragma once

#include <string_view>

#include "platform/ports/ui.h"
#include "tray/frame/busy_marker_names.h"

namespace holvara {

// The first marker set on the window, or an empty view when none is.
std::string_view FirstBusyMarker(Ui& ui, WindowId mainWindow);

}  // namespace holvara
