// What the dialogs need of the program around them: the ports they reach the system through, and
// of the application its main window (which carries the busy markers), its texts and its profile.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/ports/clock.h"
#include "platform/ports/control_colours.h"
#include "platform/ports/debug_output.h"
#include "platform/ports/threads.h"
#include "platform/ports/tooltips.h"
#include "platform/ports/ui.h"
#include "platform/ports/window_shape.h"
#include "platform/ports/window_walk.h"

namespace holvara {

struct DialogPorts {
  Ui& ui;
  Threads& threads;
  Clock& clock;
  WindowShape& shapes;
  WindowWalk& windowWalk;
  Tooltips& tooltips;
  ControlColours& colours;
  DebugOutput& debug;
};

class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // The main window, which carries the busy markers.
  virtual WindowId MarkerWindow() = 0;
  // String id of the resource library into the buffer; returns its length.
  virtual int LoadText(std::uint32_t stringId, std::span<char> buffer) = 0;
  // An integer of the profile section "Common".
  virtual int ProfileInt(const char* name, int defaultValue) = 0;
  virtual void WriteProfileSetting(const char* name, int value) = 0;
  // Takes over a worker whose dialog went while it still ran (the program is ending): the program
  // does not end while the worker may still use what the program made.
  virtual void KeepRunningWorker(std::unique_ptr<Thread> worker) = 0;
};

}  // namespace holvara
