// A request from outside the program that every running copy of it end, in whatever session it
// runs: the installer sets the global event "Global\HolvaraExit" while it replaces or removes the
// program's files, and takes it down before anything starts the program again.
#pragma once

namespace holvara {

inline constexpr char kExitRequestEventName[] = "Global\\HolvaraExit";

class ExitRequest {
 public:
  virtual ~ExitRequest() = default;
  // Whether the event exists, is set (OpenEventA, a wait of 0 ms) and is owned by the
  // Administrators group, which only an administrator or the system can give an object.
  virtual bool Raised() = 0;
};

}  // namespace holvara
