// A desktop of simulated windows on the virtual clock, shared by every simulated process of one
// PC: every simulated window-system port over one window table, as one Ui. Each port's adapter
// says what it simulates; tests script the user and read back what the program showed through
// this one object.
#pragma once

#include "platform/ports/ui.h"
#include "platform/sim/sim_dialog_controls.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_message_boxes.h"
#include "platform/sim/sim_messages.h"
#include "platform/sim/sim_timeline.h"
#include "platform/sim/sim_timers.h"
#include "platform/sim/sim_window_properties.h"
#include "platform/sim/sim_window_table.h"
#include "platform/sim/sim_windows.h"

namespace holvara {

// Holds the window table so that it is made before the adapters that share it.
class SimDesktopTable {
 protected:
  explicit SimDesktopTable(SimTimeline& clock) : sharedTable_(clock) {}
  SimWindowTable sharedTable_;
};

class SimDesktop : private SimDesktopTable,
                   public Ui,
                   public SimWindows,
                   public SimWindowProperties,
                   public SimTimers,
                   public SimMessages,
                   public SimMessageBoxes,
                   public SimDialogs,
                   public SimDialogControls {
 public:
  // On a SimClock for logic on one thread, or on a SimKernel's timeline so that simulated worker
  // and service threads run while a loop waits.
  explicit SimDesktop(SimTimeline& clock)
      : SimDesktopTable(clock),
        SimWindows(sharedTable_),
        SimWindowProperties(sharedTable_),
        SimTimers(sharedTable_),
        SimMessages(sharedTable_, *this),
        SimDialogs(sharedTable_, *this),
        SimDialogControls(sharedTable_) {}
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;
};

}  // namespace holvara
