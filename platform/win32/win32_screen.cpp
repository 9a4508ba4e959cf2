#include "platform/win32/win32_screen.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace holvara {

namespace {

HWND Hwnd(WindowId window) { return reinterpret_cast<HWND>(window); }

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}
ItemRectangle FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
RECT ToRect(const ItemRectangle& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

class Win32VersionBlock final : public VersionBlock {
 public:
  explicit Win32VersionBlock(std::vector<std::uint8_t> data) : data_(std::move(data)) {}

  std::optional<std::string> Text(std::string_view path) override {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data_.data(), std::string(path).c_str(), &value, &length) || value == nullptr) {
      return std::nullopt;
    }
    // The length counts characters and may count the terminator; neither is trusted beyond it.
    const char* text = static_cast<const char*>(value);
    const std::size_t inside =
        static_cast<std::size_t>(data_.data() + data_.size() - static_cast<const std::uint8_t*>(value));
    const std::size_t bound = std::min<std::size_t>(length, inside);
    return std::string(text, strnlen(text, bound));
  }

 private:
  std::vector<std::uint8_t> data_;
};

}  // namespace

ScreenPoint Win32Cursor::Position() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

void Win32Cursor::Show(std::uintptr_t cursor) { SetCursor(reinterpret_cast<HCURSOR>(cursor)); }

int Win32WindowMetrics::DialogBaseUnitHeight() { return HIWORD(GetDialogBaseUnits()); }

int Win32WindowMetrics::Dpi(WindowId window) {
  // GetDpiForWindow exists from Windows 10 1607; before it the screen's density applies to all.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (dpiForWindow != nullptr) {
    const UINT dpi = dpiForWindow(Hwnd(window));
    if (dpi != 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int Win32WindowMetrics::DpiAt(ScreenPoint point) {
  // GetDpiForMonitor (Windows 8.1 and later) gives each monitor's own density to a program that
  // is aware of it; before it every monitor has the screen's.
  using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto dpiForMonitor = [] {
    HMODULE shcore = LoadLibraryA("shcore.dll");
    return shcore ? reinterpret_cast<DpiForMonitor>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  if (dpiForMonitor != nullptr) {
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    HMONITOR monitor = MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST);
    UINT x = 0;
    UINT y = 0;
    if (SUCCEEDED(dpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y != 0) return static_cast<int>(y);
  }
  return ScreenDpi();
}

int Win32WindowMetrics::SmallIconSize(int dpi) {
  // GetSystemMetricsForDpi exists from Windows 10 1607; before it the screen's size applies.
  using MetricsForDpi = int(WINAPI*)(int, UINT);
  static const auto metricsForDpi = reinterpret_cast<MetricsForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
  if (metricsForDpi != nullptr) return metricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi));
  return GetSystemMetrics(SM_CXSMICON);
}

ItemRectangle Win32WindowMetrics::MapDialogRect(WindowId dialog, const ItemRectangle& rect) {
  RECT mapped = ToRect(rect);
  ::MapDialogRect(Hwnd(dialog), &mapped);
  return FromRect(mapped);
}

ItemRectangle Win32WindowMetrics::ClientRect(WindowId window) {
  RECT rect{};
  GetClientRect(Hwnd(window), &rect);
  return FromRect(rect);
}

std::uint32_t Win32WindowMetrics::WindowStyle(WindowId window) {
  return static_cast<std::uint32_t>(GetWindowLongA(Hwnd(window), GWL_STYLE));
}

ItemRectangle Win32WindowMetrics::WindowRectFor(const ItemRectangle& client, std::uint32_t style,
                                                std::uint32_t exStyle) {
  RECT rect = ToRect(client);
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  return FromRect(rect);
}

void Win32WindowMetrics::ClearRegion(WindowId window, bool redraw) {
  SetWindowRgn(Hwnd(window), nullptr, redraw ? TRUE : FALSE);
}

std::uint32_t Win32WindowMetrics::DoubleClickTimeMs() { return GetDoubleClickTime(); }

std::unique_ptr<VersionBlock> Win32VersionInfo::Read(std::string_view fileName) {
  const std::string name(fileName);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(name.c_str(), &handle);
  if (size == 0) return nullptr;
  std::vector<std::uint8_t> data(size, 0);
  if (!GetFileVersionInfoA(name.c_str(), 0, size, data.data())) return nullptr;
  return std::make_unique<Win32VersionBlock>(std::move(data));
}

void Win32Sound::Beep(std::uint32_t type) { MessageBeep(type); }

namespace {
BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<WindowId>*>(windows)->push_back(reinterpret_cast<WindowId>(window));
  return TRUE;
}
constexpr UINT kAskFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;
}  // namespace

std::vector<WindowId> Win32TopWindows::List() {
  std::vector<WindowId> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::optional<std::string> Win32TopWindows::TextWithin(WindowId window, std::uint32_t timeoutMs) {
  char text[256] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(Hwnd(window), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), kAskFlags, timeoutMs,
                           &copied)) {
    return std::nullopt;
  }
  return std::string(text, strnlen(text, sizeof text - 1));
}

bool Win32TopWindows::SendWithin(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                                 std::uint32_t timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(Hwnd(window), message, wParam, lParam, kAskFlags, timeoutMs, &result) != 0;
}

WindowId Win32TopWindows::FindByClassAndTitle(std::string_view windowClass, std::string_view title) {
  return reinterpret_cast<WindowId>(FindWindowA(std::string(windowClass).c_str(), std::string(title).c_str()));
}

std::uint32_t Win32TopWindows::ProcessOf(WindowId window) {
  DWORD process = 0;
  GetWindowThreadProcessId(Hwnd(window), &process);
  return process;
}

bool Win32TopWindows::AllowForeground(std::uint32_t processId) { return AllowSetForegroundWindow(processId) != 0; }

}  // namespace holvara
