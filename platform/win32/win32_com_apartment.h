// The calling thread as a single-threaded COM apartment for the object's life: what the shell asks
// of a thread that calls ShellExecute, since the "open" verb may be handed to extensions activated
// through COM (CoInitializeEx with COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE).
#pragma once

namespace holvara {

class Win32ComApartment {
 public:
  Win32ComApartment();
  ~Win32ComApartment();
  Win32ComApartment(const Win32ComApartment&) = delete;
  Win32ComApartment& operator=(const Win32ComApartment&) = delete;

 private:
  bool entered_ = false;
};

}  // namespace holvara
