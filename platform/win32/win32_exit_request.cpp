#include "platform/win32/win32_exit_request.h"

#include <windows.h>
#include <aclapi.h>

namespace holvara {

namespace {

// Only a token that holds the Administrators group (an elevated administrator, or the system)
// can make an object owned by that group; an event of the same name made by any other user, to
// end everyone's program, is not the installer's.
bool OwnedByAdministrators(HANDLE event) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(event, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                      &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  const bool administrators = owner != nullptr && IsWellKnownSid(owner, WinBuiltinAdministratorsSid);
  LocalFree(descriptor);
  return administrators;
}

}  // namespace

// Opened afresh at each look: the event exists only while an installer holds it, and a handle
// kept from an earlier installation would keep that one's event alive.
bool Win32ExitRequest::Raised() {
  HANDLE event = OpenEventA(SYNCHRONIZE | READ_CONTROL, FALSE, kExitRequestEventName);
  if (event == nullptr) return false;
  const bool raised = WaitForSingleObject(event, 0) == WAIT_OBJECT_0 && OwnedByAdministrators(event);
  CloseHandle(event);
  return raised;
}

}  // namespace holvara
