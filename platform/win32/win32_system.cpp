#include "platform/win32/win32_system.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace holvara {

void Win32SystemInfo::FailCriticalErrors() { SetErrorMode(SEM_FAILCRITICALERRORS); }

std::uint32_t Win32SystemInfo::UserDefaultLocale() { return GetUserDefaultLCID(); }

std::uint32_t Win32SystemInfo::AnsiCodePage() { return GetACP(); }

WindowsVersion Win32SystemInfo::Version() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return {};
  return {info.dwMajorVersion, info.dwMinorVersion};
}

std::string Win32SystemInfo::CommandLine() { return GetCommandLineA(); }

void Win32SystemInfo::EndProcess(std::uint32_t exitCode) { ExitProcess(exitCode); }

std::intptr_t Win32Shell::Open(std::string_view target) {
  return reinterpret_cast<std::intptr_t>(
      ShellExecuteA(nullptr, "open", std::string(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

}  // namespace holvara
