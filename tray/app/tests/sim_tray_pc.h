// One simulated PC for the tray program's tests: a desktop on a virtual clock, the registry with
// the installation marker in place, both resource libraries installed, and the program's files.
#pragma once

#include <string>

#include "platform/ports/ui_constants.h"
#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_cursor.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_drawing.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_keyboard.h"
#include "platform/sim/sim_ipc.h"
#include "platform/sim/sim_menus.h"
#include "platform/sim/sim_mutexes.h"
#include "platform/sim/sim_notification_area.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_resources.h"
#include "platform/sim/sim_scheduler.h"
#include "platform/sim/sim_sound.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_top_windows.h"
#include "platform/sim/sim_version_info.h"
#include "platform/sim/sim_window_metrics.h"
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
    versions.SetBlock("Holvara.exe", {{"\\StringFileInfo\\041104b0\\FileVersion", "1.00"},
                                      {"\\StringFileInfo\\041104b0\\LegalCopyright", kSimCopyright}});
  }

  TrayPorts ports() {
    return {desktop, registry, resources, mutexes, system, shell, files, debug, notificationArea, keyboard,
            {menus, drawing, cursor, metrics, versions, sound, topWindows}};
  }
  ClientPorts client() { return {ipc, clock, debug}; }

  SimClock clock;
  SimDesktop desktop{clock};
  SimRegistry registry;
  SimResourceLoader resources;
  SimMutexes mutexes;
  SimSystemInfo system;
  SimFileSystem files;
  SimShell shell{files};
  RecordingDebugOutput debug;
  SimScheduler scheduler;
  SimIpc ipc{scheduler};
  SimNotificationArea notificationArea{desktop, clock};
  SimKeyboard keyboard;
  SimDrawing drawing;
  SimMenus menus{desktop, drawing};
  SimCursor cursor;
  SimWindowMetrics metrics;
  SimVersionInfo versions;
  SimSound sound;
  SimTopWindows topWindows{desktop};
};

}  // namespace holvara
