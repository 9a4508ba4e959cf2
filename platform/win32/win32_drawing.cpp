#include "platform/win32/win32_drawing.h"

#include <windows.h>

#include <string>

namespace holvara {

namespace {

// The menu font of the non-client metrics for the density: SystemParametersInfoForDpi from
// Windows 10 1607; before it the system's metrics, made for the screen's density, are scaled.
HFONT MenuFont(int dpi) {
  using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto parametersForDpi = reinterpret_cast<ParametersForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (parametersForDpi != nullptr &&
      parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
    return CreateFontIndirectW(&metrics.lfMenuFont);
  }
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  metrics.lfMenuFont.lfHeight = MulDiv(metrics.lfMenuFont.lfHeight, dpi, screenDpi);
  return CreateFontIndirectW(&metrics.lfMenuFont);
}

class Win32Surface : public Surface {
 public:
  // How the device context was obtained decides how it is given back.
  enum class Origin { kLent, kScreen, kPaint };

  Win32Surface(HDC dc, Origin origin, HWND window = nullptr) : dc_(dc), origin_(origin), window_(window) {}
  explicit Win32Surface(HWND window) : origin_(Origin::kPaint), window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~Win32Surface() override {
    if (previousFont_ != nullptr) SelectObject(dc_, previousFont_);
    if (menuFont_ != nullptr) DeleteObject(menuFont_);
    switch (origin_) {
      case Origin::kScreen:
        ReleaseDC(nullptr, dc_);
        break;
      case Origin::kPaint:
        EndPaint(window_, &paint_);
        break;
      case Origin::kLent:
        break;
    }
  }

  int Dpi() override { return GetDeviceCaps(dc_, LOGPIXELSY); }
  void UseMenuFont(int dpi) override {
    HFONT font = MenuFont(dpi);
    if (font == nullptr) return;
    HGDIOBJ previous = SelectObject(dc_, font);
    if (previousFont_ == nullptr) previousFont_ = previous;
    if (menuFont_ != nullptr) DeleteObject(menuFont_);
    menuFont_ = font;
  }
  TextSize MeasureText(std::string_view text) override {
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
  }
  void Fill(const ItemRectangle& rect, Colour colour) override {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &area, brush);
    DeleteObject(brush);
  }
  void SetTextColour(Colour colour) override { SetTextColor(dc_, colour); }
  void SetBackgroundColour(Colour colour) override { SetBkColor(dc_, colour); }
  void SetTransparentBackground() override { SetBkMode(dc_, TRANSPARENT); }
  void WriteText(int x, int y, std::string_view text) override {
    TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
  }
  void DrawBitmapCell(std::uintptr_t bitmap, int sourceX, int sourceY, int x, int y, int size) override {
    HDC memory = CreateCompatibleDC(dc_);
    HGDIOBJ previous = SelectObject(memory, reinterpret_cast<HBITMAP>(bitmap));
    if (size == kBitmapCellSize) {
      BitBlt(dc_, x, y, size, size, memory, sourceX, sourceY, SRCCOPY);
    } else {
      SetStretchBltMode(dc_, COLORONCOLOR);
      StretchBlt(dc_, x, y, size, size, memory, sourceX, sourceY, kBitmapCellSize, kBitmapCellSize, SRCCOPY);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  void DrawIcon(int x, int y, std::uintptr_t icon) override {
    DrawIconEx(dc_, x, y, reinterpret_cast<HICON>(icon), 0, 0, 0, nullptr, DI_NORMAL);
  }

 private:
  HDC dc_ = nullptr;
  Origin origin_;
  HWND window_ = nullptr;
  PAINTSTRUCT paint_{};
  HGDIOBJ previousFont_ = nullptr;
  HFONT menuFont_ = nullptr;
};

}  // namespace

std::unique_ptr<Surface> Win32Drawing::OfDeviceContext(std::uintptr_t deviceContext) {
  return std::make_unique<Win32Surface>(reinterpret_cast<HDC>(deviceContext), Win32Surface::Origin::kLent);
}

std::unique_ptr<Surface> Win32Drawing::Screen() {
  return std::make_unique<Win32Surface>(GetDC(nullptr), Win32Surface::Origin::kScreen);
}

std::unique_ptr<Surface> Win32Drawing::Paint(WindowId window) {
  return std::make_unique<Win32Surface>(reinterpret_cast<HWND>(window));
}

Colour Win32Drawing::SystemColour(int index) { return GetSysColor(index); }

std::uintptr_t Win32Drawing::NullBrush() { return reinterpret_cast<std::uintptr_t>(GetStockObject(NULL_BRUSH)); }

}  // namespace holvara
