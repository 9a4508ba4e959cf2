// A request from outside the program that every running copy of it end, in whatever session it
// runs: the installer sets the global event "Global\HolvaraExit" while it replaces or removes the
// program's files, and takes it down before anything starts the program again.
#pragma once

namespace holvara {

inline constexpr char kExitRequestEventName[] = "Global\\HolvaraExit";

class ExitRequest {
 public:
  virtual ~ExitRequest() = default;
  // Whether the event exists and is set (OpenEventA with SYNCHRONIZE, a wait of 0 ms).
  virtual bool Raised() = 0;
};

}  // namespace holvara
