#include "platform/win32/win32_notification_area.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>

#include "common/text_field.h"

namespace holvara {

namespace {

// The record as far as the item GUID: the layout with the balloon fields, without the balloon
// icon. Its size is the target's (504 bytes on 32-bit Windows, 520 on 64-bit); the shell takes
// it by that size.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V3_SIZE;
static_assert(kRecordSize == offsetof(NOTIFYICONDATAA, guidItem) + sizeof(GUID));
static_assert(kRecordSize == (sizeof(void*) == 8 ? 520 : 504));
static_assert(sizeof(NOTIFYICONDATAA{}.szTip) == 128);
static_assert(sizeof(NOTIFYICONDATAA{}.szInfo) == 256);
static_assert(sizeof(NOTIFYICONDATAA{}.szInfoTitle) == 64);

static_assert(kNifMessage == NIF_MESSAGE && kNifIcon == NIF_ICON && kNifTip == NIF_TIP && kNifInfo == NIF_INFO);
static_assert(kNiifInfo == NIIF_INFO && kNiifWarning == NIIF_WARNING && kNiifError == NIIF_ERROR);
static_assert(kErrorTimeout == ERROR_TIMEOUT);

NotifyResult Notify(DWORD operation, const NotificationIcon& icon) {
  NOTIFYICONDATAA record{};
  record.cbSize = kRecordSize;
  record.hWnd = reinterpret_cast<HWND>(icon.window);
  record.uID = icon.id;
  record.uFlags = icon.flags;
  record.uCallbackMessage = icon.callbackMessage;
  record.hIcon = reinterpret_cast<HICON>(icon.image);
  CopyToField(record.szTip, icon.tip);
  CopyToField(record.szInfo, icon.balloonText);
  record.uTimeout = icon.balloonTimeoutMs;
  CopyToField(record.szInfoTitle, icon.balloonTitle);
  record.dwInfoFlags = icon.balloonFlags;
  if (Shell_NotifyIconA(operation, &record)) return {true, 0};
  return {false, GetLastError()};
}

}  // namespace

NotifyResult Win32NotificationArea::Add(const NotificationIcon& icon) { return Notify(NIM_ADD, icon); }

NotifyResult Win32NotificationArea::Modify(const NotificationIcon& icon) { return Notify(NIM_MODIFY, icon); }

NotifyResult Win32NotificationArea::Delete(const NotificationIcon& icon) { return Notify(NIM_DELETE, icon); }

}  // namespace holvara
