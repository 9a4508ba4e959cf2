// Keeps every debugger text, in order, so a test can look for one.
#pragma once

#include <algorithm>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/debug_output.h"

namespace holvara {

class RecordingDebugOutput : public DebugOutput {
 public:
  void Write(std::string_view text) override {
    std::lock_guard lock(mutex_);
    texts_.emplace_back(text);
  }

  std::vector<std::string> texts() const {
    std::lock_guard lock(mutex_);
    return texts_;
  }
  std::size_t Count(std::string_view text) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count(texts_.begin(), texts_.end(), text));
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
};

}  // namespace holvara
