#include "platform/win32/win32_exit_request.h"

#include <windows.h>

namespace holvara {

// Opened afresh at each look: the event exists only while an installer holds it, and a handle
// kept from an earlier installation would keep that one's event alive.
bool Win32ExitRequest::Raised() {
  HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, kExitRequestEventName);
  if (event == nullptr) return false;
  const bool raised = WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
  CloseHandle(event);
  return raised;
}

}  // namespace holvara
