// HolvaraCli.exe: the command-line tool on the real system. Lists, removes and rescans through
// the service's pipe as the notification-area program does.
#include <windows.h>

#include <iostream>
#include <string_view>
#include <vector>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_debug_output.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_ipc.h"
#include "platform/win32/win32_registry.h"
#include "tray/cli/holvara_cli.h"

int main(int argc, char** argv) {
  using namespace holvara;
  Win32Registry registry;
  Win32FileSystem files;
  Win32Ipc ipc;
  Win32Clock clock;
  Win32Console console;
  Win32DebugOutput debug;
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  return cli::RunCli(words, {registry, files, console, {ipc, clock, debug}}, HOLVARA_VERSION_TEXT, std::cout,
                     std::cerr);
}
