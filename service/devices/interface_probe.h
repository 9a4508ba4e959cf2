// Which storage device number a node's disk, CD-ROM or write-once interface answers. Each of the
// three interface sets is built at most once per refresh and then looked up by node, because
// building a set costs milliseconds and the search probes every child of every matched node.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <unordered_map>

#include "platform/ports/device_interfaces.h"
#include "platform/ports/storage.h"

namespace holvara {

class InterfaceProbe {
 public:
  InterfaceProbe(DeviceInterfaces& interfaces, Storage& storage) : interfaces_(interfaces), storage_(storage) {}

  // The device number of the first interface class, in the order disk, CD-ROM, write-once, whose
  // probe succeeds for the node (all zero when its number query failed); nullopt when none does.
  std::optional<StorageDeviceNumber> Probe(DevNode node);

  std::size_t setBuilds() const { return setBuilds_; }

 private:
  struct ClassAnswers {
    bool built = false;
    // Nodes whose interface path opened and whose interface they own; the last interface wins.
    std::unordered_map<DevNode, StorageDeviceNumber> numbers;
  };

  const ClassAnswers& Answers(std::size_t interfaceClass);
  void Build(const Guid& interfaceClass, ClassAnswers& answers);

  DeviceInterfaces& interfaces_;
  Storage& storage_;
  std::array<ClassAnswers, 3> classes_;
  std::size_t setBuilds_ = 0;
};

}  // namespace holvara
