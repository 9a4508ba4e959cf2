#include "platform/sim/sim_mutexes.h"

namespace holvara {

namespace {

class SimNamedMutex : public NamedMutex {
 public:
  SimNamedMutex(std::shared_ptr<std::map<std::string, int>> handles, std::shared_ptr<int> releases, std::string name)
      : handles_(std::move(handles)), releases_(std::move(releases)), name_(std::move(name)) {
    ++(*handles_)[name_];
  }
  ~SimNamedMutex() override {
    if (--(*handles_)[name_] == 0) handles_->erase(name_);
  }
  void Release() override { ++*releases_; }

 private:
  std::shared_ptr<std::map<std::string, int>> handles_;
  std::shared_ptr<int> releases_;
  std::string name_;
};

}  // namespace

MutexCreation SimMutexes::Create(std::string_view name) {
  const bool existed = Exists(name);
  return {std::make_unique<SimNamedMutex>(handles_, releases_, std::string(name)), existed};
}

bool SimMutexes::Exists(std::string_view name) const { return handles_->count(std::string(name)) != 0; }

}  // namespace holvara
