#include "platform/win32/win32_com_apartment.h"

#include "platform/win32/com_library.h"

namespace holvara {

// A thread already in an apartment (S_FALSE) is balanced as well; one in the multithreaded
// apartment (RPC_E_CHANGED_MODE) is left as it is.
Win32ComApartment::Win32ComApartment() {
  const ComLibrary* com = Com();
  if (com == nullptr) return;
  entered_ = SUCCEEDED(com->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

Win32ComApartment::~Win32ComApartment() {
  if (entered_) Com()->coUninitialize();
}

}  // namespace holvara
