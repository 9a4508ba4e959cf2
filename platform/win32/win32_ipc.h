// Named pipes and events over the Win32 API.
#pragma once

#include "platform/ports/ipc.h"

namespace holvara {

class Win32Ipc final : public Ipc {
 public:
  std::unique_ptr<Event> CreateNamedEvent(std::string_view name) override;
  PipeOpenResult OpenPipe(std::string_view name) override;
  bool WaitForPipe(std::string_view name, std::uint32_t timeoutMs) override;
  std::unique_ptr<Event> OpenNamedEvent(std::string_view name) override;
  std::unique_ptr<Event> CreateUnnamedEvent() override;
  PipeCreateResult CreatePipe(std::string_view name, std::span<const AccessEntry> access) override;
};

}  // namespace holvara
