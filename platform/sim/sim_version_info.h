// Version blocks of the simulated PC's program files: for each file name (compared without
// regard to case), its texts by path.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <string>

#include "platform/ports/version_info.h"

namespace holvara {

class SimVersionInfo : public VersionInfo {
 public:
  using Texts = std::map<std::string, std::string>;

  void SetBlock(std::string_view fileName, Texts texts) { blocks_[Lower(fileName)] = std::move(texts); }
  void RemoveBlock(std::string_view fileName) { blocks_.erase(Lower(fileName)); }

  std::unique_ptr<VersionBlock> Read(std::string_view fileName) override {
    const auto found = blocks_.find(Lower(fileName));
    if (found == blocks_.end()) return nullptr;
    return std::make_unique<Block>(found->second);
  }

 private:
  class Block : public VersionBlock {
   public:
    explicit Block(Texts texts) : texts_(std::move(texts)) {}
    std::optional<std::string> Text(std::string_view path) override {
      const auto found = texts_.find(std::string(path));
      if (found == texts_.end()) return std::nullopt;
      return found->second;
    }

   private:
    Texts texts_;
  };

  static std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
  }

  std::map<std::string, Texts> blocks_;
};

}  // namespace holvara
