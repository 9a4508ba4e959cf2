// The one language test of the tray program: the primary language of the user's default locale.
#pragma once

#include <cstdint>

namespace holvara {

inline constexpr std::uint32_t kJapanesePrimaryLanguage = 0x11;

inline bool IsJapaneseLocale(std::uint32_t localeId) { return (localeId & 0x3FF) == kJapanesePrimaryLanguage; }

}  // namespace holvara
