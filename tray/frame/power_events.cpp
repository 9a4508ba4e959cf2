#include "tray/frame/power_events.h"

#include <cstdio>

#include "tray/frame/system_messages.h"

namespace holvara {

std::string PowerEventText(std::uintptr_t event, std::intptr_t data) {
  switch (event) {
    case win::kPbtApmQuerySuspend:
      return "PBT_APMQUERYSUSPEND\n";
    case win::kPbtApmQuerySuspendFailed:
      return "PBT_APMQUERYSUSPENDFAILED\n";
    case win::kPbtApmSuspend:
      return "PBT_APMSUSPEND\n";
    case win::kPbtApmResumeCritical:
      return "PBT_APMRESUMECRITICAL\n";
    case win::kPbtApmResumeSuspend:
      return "PBT_APMRESUMESUSPEND\n";
    case win::kPbtApmBatteryLow:
      return "PBT_APMBATTERYLOW\n";
    case win::kPbtApmPowerStatusChange:
      return "PBT_APMPOWERSTATUSCHANGE\n";
    case win::kPbtApmOemEvent:
      return "PBT_APMOEMEVENT\n";
    case win::kPbtApmResumeAutomatic:
      return "PBT_APMRESUMEAUTOMATIC\n";
    default: {
      // Each value as 32 bits: the format's fields take exactly that, whatever the width of the
      // message parameters on this system.
      char text[48];
      std::snprintf(text, sizeof text, "wParam:0x%08X, lParam:0x%08X\n",
                    static_cast<unsigned>(static_cast<std::uint32_t>(event)),
                    static_cast<unsigned>(static_cast<std::uint32_t>(data)));
      return text;
    }
  }
}

}  // namespace holvara
