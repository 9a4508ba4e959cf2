// Holvara.exe: the application object on the real system.
#include <windows.h>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_com_apartment.h"
#include "platform/win32/win32_control_colours.h"
#include "platform/win32/win32_debug_output.h"
#include "platform/win32/win32_drawing.h"
#include "platform/win32/win32_exit_request.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_ipc.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_list_views.h"
#include "platform/win32/win32_menus.h"
#include "platform/win32/win32_mutexes.h"
#include "platform/win32/win32_notification_area.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_threads.h"
#include "platform/win32/win32_tooltips.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_window_shape.h"
#include "platform/win32/win32_window_walk.h"
#include "tray/app/holvara_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace holvara;
  // The user-interface thread opens the help and the maker's address through the shell.
  Win32ComApartment apartment;
  Win32Ui ui(instance);
  Win32Registry registry;
  Win32ResourceLoader resources;
  Win32NamedMutexes mutexes;
  Win32SystemInfo system;
  Win32Shell shell;
  Win32FileSystem files;
  Win32DebugOutput debug;
  Win32Clock clock;
  Win32Ipc ipc;
  Win32NotificationArea notificationArea;
  Win32Keyboard keyboard;
  Win32ExitRequest exitRequest;
  Win32Threads threads;
  Win32WindowShape shapes;
  Win32WindowWalk windowWalk;
  Win32Tooltips tooltips(instance);
  Win32ControlColours colours;
  Win32Menus menus;
  Win32Drawing drawing;
  Win32Cursor cursor;
  Win32WindowMetrics metrics;
  Win32VersionInfo versions;
  Win32Sound sound;
  Win32TopWindows topWindows;
  Win32ListViews listViews;
  CHolvaraApp app({ui,
                   registry,
                   resources,
                   mutexes,
                   system,
                   shell,
                   files,
                   debug,
                   notificationArea,
                   keyboard,
                   exitRequest,
                   threads,
                   shapes,
                   windowWalk,
                   tooltips,
                   colours,
                   {menus, drawing, cursor, metrics, versions, sound, topWindows, listViews}},
                  {ipc, clock, debug});
  return app.Main();
}
