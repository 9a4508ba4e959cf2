// The WMI port over COM (wbemcli): the locator, the root\cimv2 services and the partition query.
#pragma once

#include "platform/ports/wmi.h"

namespace holvara {

class Win32Wmi final : public Wmi {
 public:
  std::int32_t InitializeCom() override;
  std::int32_t InitializeSecurity() override;
  void UninitializeCom() override;
  std::unique_ptr<WmiServices> ConnectCimv2() override;
};

}  // namespace holvara
