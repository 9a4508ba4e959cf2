// What the version dialog needs of the application: its main window (which carries the busy
// markers), its texts, images and message-box routine, the shell, and the two values of the
// program's settings key the dialog shows and stores.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/ports/program_windows.h"
#include "platform/ports/resources.h"

namespace holvara {

class VersionHost {
 public:
  virtual ~VersionHost() = default;
  virtual WindowId MarkerWindow() = 0;
  // String id of the resource library into the buffer; returns its length.
  virtual int LoadText(std::uint32_t stringId, std::span<char> buffer) = 0;
  // Shows a string of the resource library through the program's message-box routine.
  virtual int ShowMessage(std::uint32_t stringId, std::uint32_t style) = 0;
  virtual ResourceLibrary& Resources() = 0;
  // The program's icon, square, of this size in pixels.
  virtual std::unique_ptr<ResourceImage> ProgramIcon(int size) = 0;
  // Opens the target with the shell.
  virtual std::intptr_t OpenFile(std::string_view target) = 0;
  // The first out.size() bytes of the settings value; out is left untouched when the value is
  // missing or does not fit.
  virtual void ReadSettingBytes(std::string_view name, std::span<std::uint8_t> out) = 0;
  // Stores the byte as a DWORD settings value.
  virtual void WriteSettingDword(std::string_view name, std::uint8_t value) = 0;
};

}  // namespace holvara
