// The one language test of the tray program. Every text goes through the system's ANSI code
// page, and the Japanese texts are in code page 932: on a system with any other code page (an
// English Windows with a Japanese region format, or the UTF-8 option) they would show as garbage
// or be cut. So Japanese is chosen only when the user's locale is Japanese and the system's code
// page is 932; every other case gets English.
#pragma once

#include <cstdint>

#include "platform/ports/system.h"

namespace holvara {

inline constexpr std::uint32_t kJapanesePrimaryLanguage = 0x11;
inline constexpr std::uint32_t kJapaneseCodePage = 932;

inline bool IsJapaneseLocale(std::uint32_t localeId) { return (localeId & 0x3FF) == kJapanesePrimaryLanguage; }

// Made at each use, as the user may change the locale while the program runs.
inline bool ShowsJapanese(SystemInfo& system) {
  return IsJapaneseLocale(system.UserDefaultLocale()) && system.AnsiCodePage() == kJapaneseCodePage;
}

}  // namespace holvara
