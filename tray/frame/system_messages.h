// The system's numbers for the messages only the main frame receives: device changes, power
// events, a new density of its display and the mouse messages the notification icon reports.
#pragma once

#include <cstdint>

namespace holvara::win {

inline constexpr std::uint32_t kWmPowerBroadcast = 0x0218;
inline constexpr std::uint32_t kWmDeviceChange = 0x0219;
inline constexpr std::uint32_t kWmDpiChanged = 0x02E0;
inline constexpr std::uint32_t kWmApp = 0x8000;

// WM_DEVICECHANGE events.
inline constexpr std::uintptr_t kDbtDevNodesChanged = 0x0007;
inline constexpr std::uintptr_t kDbtDeviceArrival = 0x8000;
inline constexpr std::uintptr_t kDbtDeviceRemoveComplete = 0x8004;

// WM_POWERBROADCAST events.
inline constexpr std::uintptr_t kPbtApmQuerySuspend = 0;
inline constexpr std::uintptr_t kPbtApmQuerySuspendFailed = 2;
inline constexpr std::uintptr_t kPbtApmSuspend = 4;
inline constexpr std::uintptr_t kPbtApmResumeCritical = 6;
inline constexpr std::uintptr_t kPbtApmResumeSuspend = 7;
inline constexpr std::uintptr_t kPbtApmBatteryLow = 9;
inline constexpr std::uintptr_t kPbtApmPowerStatusChange = 10;
inline constexpr std::uintptr_t kPbtApmOemEvent = 11;
inline constexpr std::uintptr_t kPbtApmResumeAutomatic = 18;

// Mouse messages.
inline constexpr std::uint32_t kWmMouseMove = 0x0200;
inline constexpr std::uint32_t kWmLButtonDown = 0x0201;
inline constexpr std::uint32_t kWmLButtonUp = 0x0202;
inline constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kWmRButtonDown = 0x0204;

}  // namespace holvara::win
