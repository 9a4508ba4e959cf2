// Facts about the running system and process, the process's error mode, its immediate end, and
// the shell's "open".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace holvara {

struct WindowsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

// How the process meets a critical error, such as a probe of a drive that holds no disk.
class ProcessErrorMode {
 public:
  virtual ~ProcessErrorMode() = default;
  // SetErrorMode(SEM_FAILCRITICALERRORS): such a call then fails at once instead of showing the
  // system's "No disk" box, which in the service's session nobody sees and which blocks the call.
  virtual void FailCriticalErrors() = 0;
};

class SystemInfo : public ProcessErrorMode {
 public:
  virtual std::uint32_t UserDefaultLocale() = 0;  // GetUserDefaultLCID
  virtual std::uint32_t AnsiCodePage() = 0;       // GetACP
  virtual WindowsVersion Version() = 0;           // GetVersionExA
  virtual std::string CommandLine() = 0;          // GetCommandLineA, program path included
  // Ends the process at once with every thread it still runs (ExitProcess); nothing of the caller's
  // runs after it, and no object of the program is destroyed on the way.
  virtual void EndProcess(std::uint32_t exitCode) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteA with the verb "open", no owner, parameters or directory, SW_SHOWNORMAL; a
  // result of 32 or less is a failure.
  virtual std::intptr_t Open(std::string_view target) = 0;
};

}  // namespace holvara
