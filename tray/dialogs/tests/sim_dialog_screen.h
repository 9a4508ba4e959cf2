// The simulated screen every dialog test runs on: a kernel (threads, pipes and the one virtual
// clock), a desktop on that clock, and the ports a dialog draws and measures with. Dialog tests
// derive from it; the tray program's simulated PC builds on it (tray/app/tests/sim_tray_pc.h).
#pragma once

#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_control_colours.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_kernel.h"
#include "platform/sim/sim_screen.h"
#include "platform/sim/sim_tooltips.h"
#include "platform/sim/sim_window_shape.h"
#include "platform/sim/sim_window_walk.h"
#include "tray/dialogs/dialog_host.h"

namespace holvara {

struct SimDialogScreen {
  DialogPorts dialogPorts() {
    return {desktop, kernel.threads(), kernel.clock(), shapes, windowWalk, tooltips, colours, debug};
  }

  // First, so that it is made before and goes after everything that runs on its clock.
  SimKernel kernel;
  SimDesktop desktop{kernel.timeline()};
  SimWindowShape shapes;
  SimWindowWalk windowWalk{desktop};
  SimTooltips tooltips;
  SimControlColours colours;
  RecordingDebugOutput debug;
  SimScreen screen{desktop};
};

}  // namespace holvara
