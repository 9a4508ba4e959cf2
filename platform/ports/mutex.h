// Named mutexes, the one guard between processes of the user's session.
#pragma once

#include <memory>
#include <string_view>

namespace holvara {

// A handle of a named mutex; destroying it closes the handle.
class NamedMutex {
 public:
  virtual ~NamedMutex() = default;
  virtual void Release() = 0;
};

struct MutexCreation {
  std::unique_ptr<NamedMutex> mutex;  // null when the system could not make or open the mutex
  bool alreadyExisted = false;        // the name was taken before this call (ERROR_ALREADY_EXISTS)
};

class NamedMutexes {
 public:
  virtual ~NamedMutexes() = default;
  // CreateMutexA with no security attributes, not initially owned.
  virtual MutexCreation Create(std::string_view name) = 0;
};

}  // namespace holvara
