// The settings the program's first start writes to the profile section "Common" (the start finds
// no "AutoRun" there). The settings dialog's Default button sets its boxes to them, and the
// command-line tool reads a setting the profile lacks as this value, so its list is the one the
// tray would show.
#pragma once

#include <array>
#include <string_view>

namespace holvara {

struct FirstStartSetting {
  std::string_view name;
  int value;
};

// In the order the first start writes them.
inline constexpr std::array<FirstStartSetting, 6> kFirstStartSettings{{
    {"AutoRun", 1},
    {"Basic", 1},
    {"SystemMessage", 1},
    {"Show", 1},
    {"ResumeRescan", 0},
    {"SearchCode", 64},
}};

// The value the first start writes for the setting; otherwise when it writes none.
inline int FirstStartValue(std::string_view name, int otherwise) {
  for (const FirstStartSetting& setting : kFirstStartSettings) {
    if (setting.name == name) return setting.value;
  }
  return otherwise;
}

}  // namespace holvara
