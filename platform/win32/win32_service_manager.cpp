#include "platform/win32/win32_service_manager.h"

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace holvara {
namespace {

struct ServiceHandleCloser {
  void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

}  // namespace

// SC_MANAGER_CONNECT and SERVICE_QUERY_STATUS are the rights every authenticated user has.
ServiceStateReport Win32ServiceManager::QueryState(std::string_view serviceName) {
  const ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return {};
  const ServiceHandle service(OpenServiceA(manager.get(), std::string(serviceName).c_str(), SERVICE_QUERY_STATUS));
  if (!service) {
    if (GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST) return {ServiceQuery::kNotInstalled, 0};
    return {};
  }
  SERVICE_STATUS status{};
  if (!QueryServiceStatus(service.get(), &status)) return {};
  return {ServiceQuery::kAnswered, status.dwCurrentState};
}

}  // namespace holvara
