// Named mutexes that tell whether this process is the first to hold a name.
#pragma once

#include <memory>
#include <string_view>

#include "platform/ports/mutex.h"

namespace holvara {

// A mutex this call created; null when the name was taken already or no mutex could be made.
// Names are cut to 15 characters.
std::unique_ptr<NamedMutex> CreateNamedMutex(NamedMutexes& mutexes, std::string_view name);

// Releases and closes the mutex, if there is one.
void ReleaseNamedMutex(std::unique_ptr<NamedMutex>& mutex);

}  // namespace holvara
