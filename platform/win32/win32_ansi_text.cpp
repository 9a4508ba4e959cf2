#include "platform/win32/win32_ansi_text.h"

#include <windows.h>

namespace holvara {

std::u16string Win32AnsiText::ToUnicode(std::string_view ansi) {
  if (ansi.empty()) return {};
  const auto length = static_cast<int>(ansi.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string text(static_cast<std::size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, reinterpret_cast<wchar_t*>(text.data()), needed);
  return text;
}

}  // namespace holvara
