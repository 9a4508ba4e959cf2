// What HolvaraCli says about each device it asked the service to remove: a line for a removed
// device, the reason of a refusal on standard error, or with --json one array of results.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "common/protocol.h"
#include "platform/ports/ansi_text.h"

namespace holvara::cli {

class RemovalOutput {
 public:
  RemovalOutput(std::ostream& out, std::ostream& err, bool json, AnsiText& ansi)
      : out_(out), err_(err), json_(json), ansi_(ansi) {}

  // One device's outcome (device: its description in UTF-8); false when it was refused, which
  // ends the removal.
  bool Add(const std::string& device, const RemovalReport& report);
  // Writes the JSON array (with --json) and returns the exit code: done, or refused.
  int Finish();

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool json_;
  AnsiText& ansi_;
  bool refused_ = false;
  std::vector<std::string> results_;
};

// Why the service refused, in words (UTF-8; the report's texts are in the ANSI code page): the
// programs to close (file name, process ID and path), the driver, service or device that refused,
// or the tray's own words when no reason is known.
std::string RefusalReason(const RemovalReport& report, AnsiText& ansi);

}  // namespace holvara::cli
