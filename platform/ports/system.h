// Facts about the running system and process, and the shell's "open".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace holvara {

struct WindowsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual std::uint32_t UserDefaultLocale() = 0;  // GetUserDefaultLCID
  virtual WindowsVersion Version() = 0;          // GetVersionExA
  virtual std::string CommandLine() = 0;         // GetCommandLineA, program path included
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteA with the verb "open", no owner, parameters or directory, SW_SHOWNORMAL; a
  // result of 32 or less is a failure.
  virtual std::intptr_t Open(std::string_view target) = 0;
};

}  // namespace holvara
