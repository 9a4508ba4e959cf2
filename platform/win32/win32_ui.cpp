#include "platform/win32/win32_ui.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace holvara {

namespace {

HWND Hwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
WindowId Id(HWND window) { return reinterpret_cast<WindowId>(window); }

WindowHandler* HandlerOf(HWND window, int slot) {
  return reinterpret_cast<WindowHandler*>(GetWindowLongPtrA(window, slot));
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  WindowHandler* handler = HandlerOf(window, GWLP_USERDATA);
  if (handler == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result = handler->HandleMessage(Id(window), message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return result;
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  WindowHandler* handler = HandlerOf(dialog, DWLP_USER);
  if (handler == nullptr) return FALSE;
  const INT_PTR result = handler->HandleMessage(Id(dialog), message, wParam, lParam);
  // The control asking reads the answer to WM_SETCURSOR from the message result only.
  if (message == WM_SETCURSOR && result != 0) SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  if (message == WM_NCDESTROY) SetWindowLongPtrA(dialog, DWLP_USER, 0);
  return result;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

MSG ToMsg(const Message& message) {
  MSG msg{};
  msg.hwnd = Hwnd(message.window);
  msg.message = message.message;
  msg.wParam = message.wParam;
  msg.lParam = message.lParam;
  return msg;
}

// A copy of a dialog template without WS_VISIBLE, so that the dialog manager does not show the
// dialog at the end of its creation; empty when the module has no such template.
std::vector<std::uint8_t> HiddenTemplate(HINSTANCE module, int templateId) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), reinterpret_cast<LPCSTR>(RT_DIALOG));
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = SizeofResource(module, found);
  if (data == nullptr || size < sizeof(DLGTEMPLATE)) return {};
  std::vector<std::uint8_t> copy(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size);
  // DLGTEMPLATEEX starts with the version 1 and the signature 0xFFFF and keeps its style at
  // offset 12; DLGTEMPLATE starts with its style.
  WORD head[2];
  std::memcpy(head, copy.data(), sizeof head);
  const std::size_t styleAt = (head[0] == 1 && head[1] == 0xFFFF) ? 12 : 0;
  if (copy.size() < styleAt + sizeof(DWORD)) return {};
  DWORD style;
  std::memcpy(&style, copy.data() + styleAt, sizeof style);
  style &= ~static_cast<DWORD>(WS_VISIBLE);
  std::memcpy(copy.data() + styleAt, &style, sizeof style);
  return copy;
}

}  // namespace

Win32Ui::Win32Ui(HINSTANCE instance) : instance_(instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClassName;
  RegisterClassA(&windowClass);
}

WindowId Win32Ui::Create(const WindowCreation& creation, WindowHandler& handler) {
  return Id(CreateWindowExA(creation.exStyle, kWindowClassName, creation.title.c_str(), creation.style, creation.x,
                            creation.y, creation.width, creation.height, Hwnd(creation.parent),
                            reinterpret_cast<HMENU>(creation.menu), instance_, &handler));
}

std::intptr_t Win32Ui::DefaultProcessing(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
  return DefWindowProcA(Hwnd(window), message, wParam, lParam);
}

void Win32Ui::Destroy(WindowId window) { DestroyWindow(Hwnd(window)); }

void Win32Ui::SetTitle(WindowId window, std::string_view title) {
  SetWindowTextA(Hwnd(window), std::string(title).c_str());
}

std::string Win32Ui::Title(WindowId window) { return WindowText(Hwnd(window)); }

void Win32Ui::Show(WindowId window, int command) { ShowWindow(Hwnd(window), command); }

bool Win32Ui::IsVisible(WindowId window) { return IsWindowVisible(Hwnd(window)) != FALSE; }

bool Win32Ui::IsEnabled(WindowId window) { return IsWindowEnabled(Hwnd(window)) != FALSE; }

void Win32Ui::Enable(WindowId window, bool enable) { EnableWindow(Hwnd(window), enable ? TRUE : FALSE); }

WindowId Win32Ui::LastActivePopup(WindowId window) { return Id(GetLastActivePopup(Hwnd(window))); }

void Win32Ui::SetPosition(WindowId window, WindowId insertAfter, int x, int y, int width, int height,
                          std::uint32_t flags) {
  SetWindowPos(Hwnd(window), Hwnd(insertAfter), x, y, width, height, flags);
}

bool Win32Ui::SetProperty(WindowId window, std::string_view name, std::uintptr_t value) {
  return SetPropA(Hwnd(window), std::string(name).c_str(), reinterpret_cast<HANDLE>(value)) != FALSE;
}

std::uintptr_t Win32Ui::Property(WindowId window, std::string_view name) {
  return reinterpret_cast<std::uintptr_t>(GetPropA(Hwnd(window), std::string(name).c_str()));
}

void Win32Ui::RemoveProperty(WindowId window, std::string_view name) {
  RemovePropA(Hwnd(window), std::string(name).c_str());
}

bool Win32Ui::Post(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return PostMessageA(Hwnd(window), message, wParam, lParam) != FALSE;
}

std::intptr_t Win32Ui::Send(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return SendMessageA(Hwnd(window), message, wParam, lParam);
}

std::uint32_t Win32Ui::RegisterMessage(std::string_view name) {
  return RegisterWindowMessageA(std::string(name).c_str());
}

void Win32Ui::PostQuit(int exitCode) { PostQuitMessage(exitCode); }

int Win32Ui::RunMessageLoop() {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return -1;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

MessageWait Win32Ui::NextMessage(Message& message) {
  MSG msg;
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == -1) return MessageWait::kGaveUp;
  message = {Id(msg.hwnd), msg.message, msg.wParam, msg.lParam};
  return got == 0 ? MessageWait::kQuit : MessageWait::kMessage;
}

bool Win32Ui::RouteToDialog(WindowId dialog, const Message& message) {
  MSG msg = ToMsg(message);
  return IsDialogMessageA(Hwnd(dialog), &msg) != FALSE;
}

void Win32Ui::Dispatch(const Message& message) {
  const MSG msg = ToMsg(message);
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void Win32Ui::StartTimer(WindowId window, std::uintptr_t id, std::uint32_t intervalMs) {
  SetTimer(Hwnd(window), id, intervalMs, nullptr);
}

void Win32Ui::StopTimer(WindowId window, std::uintptr_t id) { KillTimer(Hwnd(window), id); }

int Win32Ui::ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption, std::uint32_t style) {
  return MessageBoxA(Hwnd(owner), std::string(text).c_str(), std::string(caption).c_str(), style);
}

WindowId Win32Ui::CreateModelessDialog(ModuleId module, int templateId, WindowId owner, WindowHandler& handler) {
  const auto instance = reinterpret_cast<HINSTANCE>(module);
  const std::vector<std::uint8_t> hidden = HiddenTemplate(instance, templateId);
  if (hidden.empty()) return kNoWindow;
  return Id(CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(hidden.data()), Hwnd(owner),
                                       DialogProcedure, reinterpret_cast<LPARAM>(&handler)));
}

WindowId Win32Ui::DialogItem(WindowId dialog, int id) { return Id(GetDlgItem(Hwnd(dialog), id)); }

void Win32Ui::SetItemText(WindowId dialog, int id, std::string_view text) {
  SetDlgItemTextA(Hwnd(dialog), id, std::string(text).c_str());
}

std::string Win32Ui::ItemText(WindowId dialog, int id) { return WindowText(GetDlgItem(Hwnd(dialog), id)); }

void Win32Ui::EnableItem(WindowId dialog, int id, bool enable) {
  EnableWindow(GetDlgItem(Hwnd(dialog), id), enable ? TRUE : FALSE);
}

void Win32Ui::ShowItem(WindowId dialog, int id, bool show) {
  ShowWindow(GetDlgItem(Hwnd(dialog), id), show ? SW_SHOW : SW_HIDE);
}

void Win32Ui::SetItemCheck(WindowId dialog, int id, int state) {
  CheckDlgButton(Hwnd(dialog), id, static_cast<UINT>(state));
}

int Win32Ui::ItemCheck(WindowId dialog, int id) { return static_cast<int>(IsDlgButtonChecked(Hwnd(dialog), id)); }

void Win32Ui::InitCommonControls() { ::InitCommonControls(); }

}  // namespace holvara
