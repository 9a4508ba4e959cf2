// Everything of the system that the service host reaches.
#pragma once

#include "platform/ports/clock.h"
#include "platform/ports/debug_output.h"
#include "platform/ports/ipc.h"
#include "platform/ports/service_control.h"
#include "platform/ports/system.h"
#include "platform/ports/threads.h"

namespace holvara {

struct HostPorts {
  Ipc& ipc;
  Threads& threads;
  ServiceControl& scm;
  Clock& clock;
  DebugOutput& debug;
  ProcessErrorMode& errorMode;
};

}  // namespace holvara
