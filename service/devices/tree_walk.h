// The pre-order, depth-first walk over the whole device tree: after a node its first child, else
// its next sibling, else the next sibling of the nearest ancestor that has one.
#pragma once

#include "platform/ports/device_tree.h"

namespace holvara {

template <typename Visit>
void WalkDeviceTree(DeviceTree& tree, Visit&& visit) {
  auto node = tree.LocateRoot();
  while (node) {
    visit(*node);
    if (auto child = tree.Child(*node)) {
      node = child;
      continue;
    }
    auto next = tree.Sibling(*node);
    for (auto climb = node; !next;) {
      climb = tree.Parent(*climb);
      if (!climb) return;
      next = tree.Sibling(*climb);
    }
    node = next;
  }
}

}  // namespace holvara
