// HolvaraCli.exe: the command-line tool on the real system. Lists, removes and rescans through
// the service's pipe as the notification-area program does, asks the service manager about the
// service first, and writes Unicode text to a console and UTF-8 to a file or pipe.
#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/win32/win32_ansi_text.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_debug_output.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_ipc.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_service_manager.h"
#include "tray/cli/console_stream.h"
#include "tray/cli/holvara_cli.h"

int main(int argc, char** argv) {
  using namespace holvara;
  Win32Registry registry;
  Win32FileSystem files;
  Win32Console console;
  Win32AnsiText ansi;
  Win32ServiceManager services;
  Win32Ipc ipc;
  Win32Clock clock;
  Win32DebugOutput debug;
  cli::ConsoleStream out(console, StandardStream::kOutput);
  cli::ConsoleStream err(console, StandardStream::kError);
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  return cli::RunCli(words, {registry, files, console, ansi, services, {ipc, clock, debug}}, HOLVARA_VERSION_TEXT, out,
                     err);
}
