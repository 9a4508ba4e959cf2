// One simulated PC for the tray program's tests: a desktop on the same virtual clock as the pipes
// and the dialogs' worker threads, the registry with the installation marker in place, both
// resource libraries installed, and the program's files.
#pragma once

#include <string>

#include "platform/ports/ui_constants.h"
#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_control_colours.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_exit_request.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_ipc.h"
#include "platform/sim/sim_kernel.h"
#include "platform/sim/sim_keyboard.h"
#include "platform/sim/sim_mutexes.h"
#include "platform/sim/sim_notification_area.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_resources.h"
#include "platform/sim/sim_scheduler.h"
#include "platform/sim/sim_screen.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_threads.h"
#include "platform/sim/sim_tooltips.h"
#include "platform/sim/sim_window_shape.h"
#include "platform/sim/sim_window_walk.h"
#include "tray/app/service_client.h"
#include "tray/app/tray_ports.h"
#include "tray/resources/sim_libraries.h"

namespace holvara {

inline constexpr char kSimProgramPath[] = "C:\\Program Files\\ZELTO\\Holvara\\Holvara.exe";
inline constexpr char kSimSettingsKey[] = "Software\\ZELTO\\Holvara\\Common";
inline constexpr char kSimCopyright[] = "Copyright (C) 2026 ZELTO Corporation. All rights reserved.";

struct SimTrayPc {
  SimTrayPc() {
    resources.Install(EnglishResourceLibrary());
    resources.Install(JapaneseResourceLibrary());
    registry.SetDword(RegistryRoot::kLocalMachine, kSimSettingsKey, "CurrentMode", 141421356);
    files.SetModuleFileName(kSimProgramPath);
    system.commandLine = std::string("\"") + kSimProgramPath + "\"";
    screen.versions.SetBlock("Holvara.exe", {{"\\StringFileInfo\\041104b0\\FileVersion", "1.00"},
                                             {"\\StringFileInfo\\041104b0\\LegalCopyright", kSimCopyright}});
  }
  // Worker threads end before the objects they use go away.
  ~SimTrayPc() { scheduler.JoinAll(); }

  TrayPorts ports() {
    return {desktop,  registry,    resources, mutexes, system,     shell,    files,   debug,         notificationArea,
            keyboard, exitRequest, threads,   shapes,  windowWalk, tooltips, colours, screen.ports()};
  }
  ClientPorts client() { return {ipc, clock, debug}; }

  SimScheduler scheduler;
  SimKernelClock clock{scheduler};
  SimDesktop desktop{clock};
  SimRegistry registry;
  SimResourceLoader resources;
  SimMutexes mutexes;
  SimSystemInfo system;
  SimFileSystem files;
  SimShell shell{files};
  RecordingDebugOutput debug;
  SimIpc ipc{scheduler};
  SimNotificationArea notificationArea{desktop, clock};
  SimKeyboard keyboard;
  SimExitRequest exitRequest;
  SimThreads threads{scheduler};
  SimWindowShape shapes;
  SimWindowWalk windowWalk{desktop};
  SimTooltips tooltips;
  SimControlColours colours;
  SimScreen screen{desktop};
};

}  // namespace holvara
