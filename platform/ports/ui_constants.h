// The numeric values of the window system that the platform-neutral logic speaks in: messages,
// styles, show commands, message-box styles and results. They are the system's own numbers, so the
// real adapter passes them through unchanged.
#pragma once

#include <cstdint>

namespace holvara::win {

// Messages.
inline constexpr std::uint32_t kWmNull = 0x0000;
inline constexpr std::uint32_t kWmCreate = 0x0001;
inline constexpr std::uint32_t kWmDestroy = 0x0002;
inline constexpr std::uint32_t kWmPaint = 0x000F;
inline constexpr std::uint32_t kWmClose = 0x0010;
inline constexpr std::uint32_t kWmQueryEndSession = 0x0011;
inline constexpr std::uint32_t kWmQuit = 0x0012;
inline constexpr std::uint32_t kWmEndSession = 0x0016;
inline constexpr std::uint32_t kWmNcCreate = 0x0081;
inline constexpr std::uint32_t kWmNcDestroy = 0x0082;
inline constexpr std::uint32_t kWmInitDialog = 0x0110;
inline constexpr std::uint32_t kWmCommand = 0x0111;
inline constexpr std::uint32_t kWmKeyDown = 0x0100;
inline constexpr std::uint32_t kWmSysKeyDown = 0x0104;
inline constexpr std::uint32_t kWmTimer = 0x0113;
inline constexpr std::uint32_t kWmCtlColorDlg = 0x0136;
inline constexpr std::uint32_t kWmCtlColorStatic = 0x0138;
inline constexpr std::uint32_t kWmUser = 0x0400;
inline constexpr std::uint32_t kWmSetCursor = 0x0020;

// Window styles.
inline constexpr std::uint32_t kWsPopup = 0x80000000;
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsCaption = 0x00C00000;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000;
inline constexpr std::uint32_t kWsOverlappedWindow = 0x00CF0000;

// Show commands.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;

// SetWindowPos.
inline constexpr std::uintptr_t kHwndTopmost = static_cast<std::uintptr_t>(-1);
inline constexpr std::uintptr_t kHwndNoTopmost = static_cast<std::uintptr_t>(-2);
inline constexpr std::uint32_t kSwpNoSize = 0x0001;
inline constexpr std::uint32_t kSwpNoMove = 0x0002;
inline constexpr std::uint32_t kSwpNoZOrder = 0x0004;
inline constexpr std::uint32_t kSwpNoActivate = 0x0010;
inline constexpr std::uint32_t kSwpShowWindow = 0x0040;
inline constexpr std::uint32_t kSwpHideWindow = 0x0080;
inline constexpr std::uintptr_t kHwndTop = 0;

// Virtual keys.
inline constexpr std::uintptr_t kVkReturn = 0x0D;
inline constexpr std::uintptr_t kVkEscape = 0x1B;
inline constexpr std::uintptr_t kVkF1 = 0x70;
inline constexpr std::uintptr_t kVkF4 = 0x73;

// Message-box styles and results.
inline constexpr std::uint32_t kMbOk = 0x00;
inline constexpr std::uint32_t kMbOkCancel = 0x01;
inline constexpr std::uint32_t kMbYesNoCancel = 0x03;
inline constexpr std::uint32_t kMbYesNo = 0x04;
inline constexpr std::uint32_t kMbTypeMask = 0x0F;
inline constexpr std::uint32_t kMbIconHand = 0x10;
inline constexpr std::uint32_t kMbIconError = kMbIconHand;
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconExclamation = 0x30;
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr std::uint32_t kMbIconMask = 0xF0;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Button notifications and check states.
inline constexpr std::uint32_t kBnClicked = 0;
inline constexpr int kBstUnchecked = 0;
inline constexpr int kBstChecked = 1;

// The shell's "open" reports success with a value above 32.
inline constexpr std::intptr_t kShellOpenFailureLimit = 32;

}  // namespace holvara::win
