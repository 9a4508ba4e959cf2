// The system's facts and its shell over KERNEL32 and SHELL32.
#pragma once

#include "platform/ports/system.h"

namespace holvara {

class Win32SystemInfo final : public SystemInfo {
 public:
  void FailCriticalErrors() override;
  std::uint32_t UserDefaultLocale() override;
  std::uint32_t AnsiCodePage() override;
  WindowsVersion Version() override;
  std::string CommandLine() override;
  [[noreturn]] void EndProcess(std::uint32_t exitCode) override;
};

class Win32Shell final : public Shell {
 public:
  std::intptr_t Open(std::string_view target) override;
};

}  // namespace holvara
