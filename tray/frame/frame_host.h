// What the main frame needs of the application object.
#pragma once

#include <string_view>

#include "platform/ports/resources.h"

namespace holvara {

class FrameHost {
 public:
  virtual ~FrameHost() = default;
  // The first busy marker set on the main window, or an empty view when none is.
  virtual std::string_view BusyMarker() = 0;
  // The loaded resource library; the frame exists only once it is loaded.
  virtual ResourceLibrary& Resources() = 0;
};

}  // namespace holvara
