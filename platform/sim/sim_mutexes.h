// Named mutexes shared by every simulated process of one PC: a name exists while any handle of
// it is open.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ports/mutex.h"

namespace holvara {

class SimMutexes : public NamedMutexes {
 public:
  MutexCreation Create(std::string_view name) override;

  bool Exists(std::string_view name) const;
  int releases() const { return *releases_; }

 private:
  std::shared_ptr<std::map<std::string, int>> handles_ = std::make_shared<std::map<std::string, int>>();
  std::shared_ptr<int> releases_ = std::make_shared<int>(0);
};

}  // namespace holvara
