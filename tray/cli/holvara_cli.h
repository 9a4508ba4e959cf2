// HolvaraCli: the device list, removals and rescans of the tray program from a command line. It
// builds the list with the tray's own refresh from the user's tray settings, and removes through
// the same removal plan and request, one device at a time, as the tray's removal does. It asks
// the service manager about the service before its first exchange, and names an entry for
// removal by a stable identity (entry_identity.h) or by an index it checks.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/ports/ansi_text.h"
#include "platform/ports/console.h"
#include "platform/ports/files.h"
#include "platform/ports/registry.h"
#include "platform/ports/service_manager.h"
#include "tray/app/service_client.h"

namespace holvara::cli {

enum ExitCode : int {
  kDone = 0,
  kRefused = 1,
  kUsage = 2,
  kUnreachable = 3,  // the service is stopped, or could not be reached
  kNoSuchDevice = 4,
  kNotInstalled = 5,
  kBusy = 6,
};

struct CliPorts {
  Registry& registry;
  FileSystem& files;
  Console& console;
  AnsiText& ansi;
  ServiceManager& services;
  ClientPorts client;
};

// Runs the command of words (the arguments after the program's name) and returns its exit code.
// Results go to out, refusals and errors to err, as UTF-8.
int RunCli(std::span<const std::string_view> words, const CliPorts& ports, std::string_view version, std::ostream& out,
           std::ostream& err);

}  // namespace holvara::cli
