// The whole window system as the tray program's framework wires it: one object that is every
// window-system port. Logic that needs only some of them names those ports instead. The ports are
// virtual bases so that an implementation made of one adapter per port is still one of each.
#pragma once

#include "platform/ports/dialog_controls.h"
#include "platform/ports/dialogs.h"
#include "platform/ports/message_boxes.h"
#include "platform/ports/messages.h"
#include "platform/ports/program_windows.h"
#include "platform/ports/timers.h"
#include "platform/ports/window_properties.h"

namespace holvara {

class Ui : public virtual Windows,
           public virtual WindowProperties,
           public virtual Messages,
           public virtual Timers,
           public virtual MessageBoxes,
           public virtual Dialogs,
           public virtual DialogControls {};

}  // namespace holvara
