#include "tray/app/named_mutex.h"

namespace holvara {

namespace {
constexpr std::size_t kNameLimit = 15;
}  // namespace

std::unique_ptr<NamedMutex> CreateNamedMutex(NamedMutexes& mutexes, std::string_view name) {
  MutexCreation creation = mutexes.Create(name.substr(0, kNameLimit));
  if (creation.alreadyExisted) return nullptr;  // the handle to the other holder's mutex closes here
  return std::move(creation.mutex);
}

void ReleaseNamedMutex(std::unique_ptr<NamedMutex>& mutex) {
  if (!mutex) return;
  mutex->Release();
  mutex.reset();
}

}  // namespace holvara
