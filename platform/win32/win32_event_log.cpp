#include "platform/win32/win32_event_log.h"

#include <windows.h>
#include <winevt.h>

#include <array>
#include <cstdio>
#include <memory>
#include <type_traits>

namespace holvara {

namespace {

// How long one EvtNext may wait for the log service to hand over results, and how often the log
// is asked again while no event has arrived.
constexpr DWORD kNextTimeoutMs = 1000;
constexpr DWORD kRequeryMs = 100;

struct EvtCloser {
  void operator()(EVT_HANDLE handle) const { EvtClose(handle); }
};
using EvtHandle = std::unique_ptr<std::remove_pointer_t<EVT_HANDLE>, EvtCloser>;

std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Ansi(const wchar_t* text) {
  if (text == nullptr) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), size, nullptr, nullptr);
  ansi.resize(static_cast<std::size_t>(size) - 1);
  return ansi;
}

// The mark as the XPath time literal of TimeCreated/@SystemTime.
std::wstring IsoTime(EventLogMark mark) {
  FILETIME fileTime{static_cast<DWORD>(mark.value), static_cast<DWORD>(mark.value >> 32)};
  SYSTEMTIME time{};
  FileTimeToSystemTime(&fileTime, &time);
  wchar_t text[32];
  std::swprintf(text, 32, L"%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", time.wYear, time.wMonth, time.wDay, time.wHour,
                time.wMinute, time.wSecond, time.wMilliseconds);
  return text;
}

// An XPath string literal; instance IDs never hold both kinds of quote.
std::wstring Quoted(const std::wstring& text) {
  const wchar_t quote = text.find(L'\'') == std::wstring::npos ? L'\'' : L'"';
  return quote + text + quote;
}

std::wstring VetoQuery(EventLogMark mark, std::string_view deviceInstanceId) {
  return L"*[System[Provider[@Name='Microsoft-Windows-Kernel-PnP'] and (EventID=225) and TimeCreated[@SystemTime>='" +
         IsoTime(mark) + L"']]] and *[EventData[Data[@Name='DeviceInstance']=" + Quoted(Wide(deviceInstanceId)) + L"]]";
}

std::optional<RemovalVetoEvent> Rendered(EVT_HANDLE context, EVT_HANDLE event) {
  DWORD used = 0;
  DWORD count = 0;
  EvtRender(context, event, EvtRenderEventValues, 0, nullptr, &used, &count);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
  std::vector<EVT_VARIANT> values(used / sizeof(EVT_VARIANT) + 1);
  if (!EvtRender(context, event, EvtRenderEventValues, static_cast<DWORD>(values.size() * sizeof(EVT_VARIANT)),
                 values.data(), &used, &count) ||
      count < 3) {
    return std::nullopt;
  }
  RemovalVetoEvent veto;
  if (values[0].Type == EvtVarTypeUInt32 || values[0].Type == EvtVarTypeHexInt32) veto.processId = values[0].UInt32Val;
  if (values[0].Type == EvtVarTypeUInt64 || values[0].Type == EvtVarTypeHexInt64) {
    veto.processId = static_cast<std::uint32_t>(values[0].UInt64Val);
  }
  if (values[1].Type == EvtVarTypeString) veto.processImage = Ansi(values[1].StringVal);
  if (values[2].Type == EvtVarTypeString) veto.deviceInstanceId = Ansi(values[2].StringVal);
  return veto;
}

}  // namespace

EventLogMark Win32EventLog::Mark() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return {(static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime};
}

std::optional<std::vector<RemovalVetoEvent>> Win32EventLog::RemovalVetoesSince(EventLogMark mark,
                                                                               std::string_view deviceInstanceId,
                                                                               std::size_t maxEvents,
                                                                               std::uint32_t settleMs) {
  const ULONGLONG until = GetTickCount64() + settleMs;
  for (;;) {
    auto events = QueryOnce(mark, deviceInstanceId, maxEvents);
    if (!events || !events->empty() || GetTickCount64() >= until) return events;
    Sleep(kRequeryMs);
  }
}

std::optional<std::vector<RemovalVetoEvent>> Win32EventLog::QueryOnce(EventLogMark mark,
                                                                      std::string_view deviceInstanceId,
                                                                      std::size_t maxEvents) {
  const EvtHandle results(EvtQuery(nullptr, L"System", VetoQuery(mark, deviceInstanceId).c_str(),
                                   EvtQueryChannelPath | EvtQueryForwardDirection));
  if (!results) return std::nullopt;
  std::array<LPCWSTR, 3> paths = {L"Event/EventData/Data[@Name='ProcessId']",
                                  L"Event/EventData/Data[@Name='ProcessName']",
                                  L"Event/EventData/Data[@Name='DeviceInstance']"};
  const EvtHandle context(
      EvtCreateRenderContext(static_cast<DWORD>(paths.size()), paths.data(), EvtRenderContextValues));
  if (!context) return std::nullopt;

  std::vector<RemovalVetoEvent> events;
  while (events.size() < maxEvents) {
    EVT_HANDLE next = nullptr;
    DWORD returned = 0;
    if (!EvtNext(results.get(), 1, &next, kNextTimeoutMs, 0, &returned) || returned == 0) break;
    const EvtHandle event(next);
    if (auto veto = Rendered(context.get(), event.get())) events.push_back(std::move(*veto));
  }
  return events;
}

}  // namespace holvara
