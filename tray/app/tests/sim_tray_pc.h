// One simulated PC for the tray program's tests: the dialogs' simulated screen, whose desktop
// shares the virtual clock with the pipes and the dialogs' worker threads, the registry with the
// installation marker in place, both resource libraries installed, and the program's files.
#pragma once

#include <string>

#include "platform/ports/ui_constants.h"
#include "platform/sim/sim_exit_request.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_keyboard.h"
#include "platform/sim/sim_mutexes.h"
#include "platform/sim/sim_notification_area.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_resources.h"
#include "platform/sim/sim_system.h"
#include "tray/app/service_client.h"
#include "tray/app/tray_ports.h"
#include "tray/dialogs/tests/sim_dialog_screen.h"
#include "tray/resources/sim_libraries.h"

namespace holvara {

inline constexpr char kSimProgramPath[] = "C:\\Program Files\\ZELTO\\Holvara\\Holvara.exe";
inline constexpr char kSimSettingsKey[] = "Software\\ZELTO\\Holvara\\Common";
inline constexpr char kSimCopyright[] = "Copyright (C) 2026 ZELTO Corporation. All rights reserved.";

struct SimTrayPc : SimDialogScreen {
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
  ~SimTrayPc() { kernel.JoinThreads(); }

  TrayPorts ports() {
    return {desktop, registry,   resources,        mutexes,  system,        shell,
            files,   debug,      notificationArea, keyboard, exitRequest,   kernel.threads(),
            shapes,  windowWalk, tooltips,         colours,  screen.ports()};
  }
  ClientPorts client() { return {kernel.ipc(), kernel.clock(), debug}; }

  SimRegistry registry;
  SimResourceLoader resources;
  SimMutexes mutexes;
  SimSystemInfo system;
  SimFileSystem files;
  SimShell shell{files};
  SimNotificationArea notificationArea{desktop, kernel.clock()};
  SimKeyboard keyboard;
  SimExitRequest exitRequest;
};

}  // namespace holvara
