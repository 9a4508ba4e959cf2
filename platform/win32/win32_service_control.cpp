#include "platform/win32/win32_service_control.h"

#include <windows.h>

#include <string>

namespace holvara {

namespace {

std::function<void()> g_serviceMain;
std::function<void(std::uint32_t)> g_handler;
SERVICE_STATUS_HANDLE g_statusHandle = nullptr;

void WINAPI ServiceMainEntry(DWORD, LPSTR*) { g_serviceMain(); }

void WINAPI HandlerEntry(DWORD control) { g_handler(control); }

}  // namespace

bool Win32ServiceControl::RunDispatcher(std::string_view serviceName, std::function<void()> serviceMain) {
  g_serviceMain = std::move(serviceMain);
  std::string name(serviceName);
  const SERVICE_TABLE_ENTRYA table[] = {{name.data(), ServiceMainEntry}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) != 0;
}

bool Win32ServiceControl::RegisterHandler(std::string_view serviceName, std::function<void(std::uint32_t)> handler) {
  g_handler = std::move(handler);
  g_statusHandle = RegisterServiceCtrlHandlerA(std::string(serviceName).c_str(), HandlerEntry);
  return g_statusHandle != nullptr;
}

bool Win32ServiceControl::SetStatus(const ServiceStatus& status) {
  SERVICE_STATUS system{};
  system.dwServiceType = status.serviceType;
  system.dwCurrentState = status.currentState;
  system.dwControlsAccepted = status.controlsAccepted;
  system.dwWin32ExitCode = status.win32ExitCode;
  system.dwServiceSpecificExitCode = status.serviceSpecificExitCode;
  system.dwCheckPoint = status.checkPoint;
  system.dwWaitHint = status.waitHint;
  return SetServiceStatus(g_statusHandle, &system) != 0;
}

}  // namespace holvara
