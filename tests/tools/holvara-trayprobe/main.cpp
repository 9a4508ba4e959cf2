// holvara-trayprobe: looks at and talks to a running Holvara.exe from outside, as a user or
// another program would.
//
//   holvara-trayprobe window <title> <milliseconds>   waits for a top-level window with the title
//   holvara-trayprobe gone <title> <milliseconds>     waits until no such window is left
//   holvara-trayprobe box <caption> <milliseconds>    waits for a message box; prints its style and
//                                                     its text as hex bytes
//   holvara-trayprobe answer <caption>                presses OK on that message box
//   holvara-trayprobe send <wParam>                   posts "HOLVARA" with wParam to the "Holvara" window
//   holvara-trayprobe devicechange <event>            sends the "Holvara" window WM_DEVICECHANGE with
//                                                     the event, as the system's broadcast does; prints
//                                                     the window's answer
//   holvara-trayprobe watch <milliseconds>            prints "watching", then follows the top-level
//                                                     windows of the process that owns the "Holvara"
//                                                     window: "window <class> visible <0|1>" when one
//                                                     appears or changes, "active <class>" when one
//                                                     becomes the foreground window
//   holvara-trayprobe shown <class> <milliseconds>    waits for a visible top-level window of the class
//                                                     ("#32768" a popup menu, "#32770" a dialog) of the
//                                                     process that owns the "Holvara" window; prints
//                                                     "shown <left> <top> <right> <bottom> <title hex>"
//   holvara-trayprobe closed <class> <milliseconds>   waits until that process shows no such window
//   holvara-trayprobe cancel                          posts IDCANCEL to the program's visible dialog
//   holvara-trayprobe library <file> <numbers...>     loads a resource library and prints each
//                                                     numbered string (hex), and which dialogs,
//                                                     bitmaps (with their size), icon and cursor it has
//   holvara-trayprobe show <file> <dialog> <ms>       shows a dialog template of a library for a while;
//                                                     prints its style and its controls' numbers first
//   holvara-trayprobe list <title> <milliseconds>     waits for a window with the title and prints its
//                                                     list view: "columns <width>...", "rows <count>",
//                                                     "mark <selection mark>", and for each row
//                                                     "row <index> <left> <top> <right> <bottom>
//                                                     <first column's text hex>" on the screen
//   holvara-trayprobe event <name> <ms> [<sddl>]      makes the named manual-reset event, set, with
//                                                     the security descriptor given (else the
//                                                     default one), and holds it for that long
//
// Exit code 0 when the window or box was found (or the message posted), 1 otherwise. Texts are
// printed as hex so that any code page survives the trip through the console.
#include <windows.h>
#include <commctrl.h>
#include <sddl.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

constexpr char kDialogClass[] = "#32770";

HWND WaitFor(const char* windowClass, const char* title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindWindowA(windowClass, title)) return window;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(100);
  }
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  char digits[3];
  for (unsigned char byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", byte);
    hex += digits;
  }
  return hex;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

bool IsStaticWithText(HWND child) {
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  return lstrcmpiA(className, "Static") == 0 && !TextOf(child).empty();
}

BOOL CALLBACK CountStaticText(HWND child, LPARAM count) {
  if (IsStaticWithText(child)) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK PrintStaticText(HWND child, LPARAM) {
  if (IsStaticWithText(child)) std::printf("text %s\n", Hex(TextOf(child)).c_str());
  return TRUE;
}

int Window(const char* title, DWORD timeoutMs) {
  HWND window = WaitFor(nullptr, title, timeoutMs);
  if (!window) return 1;
  std::printf("style %08lx visible %d\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
              IsWindowVisible(window) ? 1 : 0);
  return 0;
}

int Gone(const char* title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (FindWindowA(nullptr, title)) {
    if (GetTickCount() - start >= timeoutMs) return 1;
    Sleep(100);
  }
  return 0;
}

int Box(const char* caption, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  HWND box = WaitFor(kDialogClass, caption, timeoutMs);
  if (!box) return 1;
  // A box that has just appeared may not have its text yet.
  for (int count = 0;; Sleep(50)) {
    EnumChildWindows(box, CountStaticText, reinterpret_cast<LPARAM>(&count));
    if (count > 0 || GetTickCount() - start >= timeoutMs) break;
  }
  std::printf("owner %d\n", GetWindow(box, GW_OWNER) ? 1 : 0);
  EnumChildWindows(box, PrintStaticText, 0);
  return 0;
}

int Answer(const char* caption) {
  HWND box = FindWindowA(kDialogClass, caption);
  if (!box) return 1;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return 0;
}

// What a row query needs in the list's own process: a list view's messages carry pointers.
struct RowQuery {
  RECT bounds;
  LVITEMA item;
  char text[256];
};

// Each row's rectangle on the screen and its first column's text, asked for through memory lent
// by the list's process.
void PrintRows(HWND list) {
  DWORD processId = 0;
  GetWindowThreadProcessId(list, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return;
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(RowQuery), MEM_COMMIT, PAGE_READWRITE));
  const LRESULT rows = remote ? SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) : 0;
  for (LRESULT row = 0; row < rows; ++row) {
    RowQuery query{};
    query.bounds.left = LVIR_BOUNDS;
    query.item.pszText = remote + offsetof(RowQuery, text);
    query.item.cchTextMax = sizeof query.text;
    if (!WriteProcessMemory(process, remote, &query, sizeof query, nullptr)) break;
    const auto at = [remote](std::size_t offset) { return reinterpret_cast<LPARAM>(remote + offset); };
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), at(offsetof(RowQuery, bounds)));
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), at(offsetof(RowQuery, item)));
    if (!ReadProcessMemory(process, remote, &query, sizeof query, nullptr)) break;
    query.text[sizeof query.text - 1] = '\0';
    POINT corners[2] = {{query.bounds.left, query.bounds.top}, {query.bounds.right, query.bounds.bottom}};
    MapWindowPoints(list, nullptr, corners, 2);
    std::printf("row %ld %ld %ld %ld %ld %s\n", static_cast<long>(row), corners[0].x, corners[0].y, corners[1].x,
                corners[1].y, Hex(query.text).c_str());
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
}

int List(const char* title, DWORD timeoutMs) {
  HWND window = WaitFor(nullptr, title, timeoutMs);
  if (!window) return 1;
  HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
  if (!list) return 1;
  std::printf("columns");
  for (int column = 0;; ++column) {
    const LRESULT width = SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0);
    if (width == 0) break;
    std::printf(" %ld", static_cast<long>(width));
  }
  std::printf("\nrows %ld\n", static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
  std::printf("mark %ld\n", static_cast<long>(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0)));
  PrintRows(list);
  return 0;
}

int Send(WPARAM request) {
  HWND running = FindWindowA(nullptr, "Holvara");
  if (!running) return 1;
  return PostMessageA(running, RegisterWindowMessageA("HOLVARA"), request, 0) ? 0 : 1;
}

int DeviceChange(WPARAM event) {
  HWND running = FindWindowA(nullptr, "Holvara");
  if (!running) return 1;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(running, WM_DEVICECHANGE, event, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return 1;
  std::printf("answer %lu\n", static_cast<unsigned long>(answer));
  return 0;
}

struct WatchedWindow {
  std::string className;
  bool visible;
};

struct WatchState {
  DWORD process;
  std::map<HWND, WatchedWindow> windows;
};

BOOL CALLBACK NoteWindow(HWND window, LPARAM state) {
  auto& watch = *reinterpret_cast<WatchState*>(state);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != watch.process) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  const bool visible = IsWindowVisible(window) != FALSE;
  const auto known = watch.windows.find(window);
  if (known == watch.windows.end() || known->second.visible != visible) {
    std::printf("window %s visible %d\n", className, visible ? 1 : 0);
    std::fflush(stdout);
  }
  watch.windows[window] = {className, visible};
  return TRUE;
}

// Polls every few milliseconds, so that even a window shown for a moment is seen.
int Watch(DWORD durationMs) {
  std::printf("watching\n");
  std::fflush(stdout);
  WatchState watch{};
  HWND lastActive = nullptr;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < durationMs) {
    if (!watch.process) {
      if (HWND running = FindWindowA(nullptr, "Holvara")) GetWindowThreadProcessId(running, &watch.process);
    }
    if (watch.process) {
      EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&watch));
      HWND active = GetForegroundWindow();
      DWORD process = 0;
      GetWindowThreadProcessId(active, &process);
      if (active != lastActive && process == watch.process) {
        char className[64] = {};
        GetClassNameA(active, className, sizeof className);
        std::printf("active %s\n", className);
        std::fflush(stdout);
      }
      lastActive = active;
    }
    Sleep(2);
  }
  return watch.process ? 0 : 1;
}

struct ShownSearch {
  DWORD process;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM search) {
  auto& wanted = *reinterpret_cast<ShownSearch*>(search);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (process != wanted.process || lstrcmpiA(className, wanted.className) != 0 || !IsWindowVisible(window)) {
    return TRUE;
  }
  wanted.found = window;
  return FALSE;
}

// The program's visible top-level window of the class, or nullptr.
HWND ShownWindow(const char* className) {
  ShownSearch search{0, className, nullptr};
  HWND running = FindWindowA(nullptr, "Holvara");
  if (!running) return nullptr;
  GetWindowThreadProcessId(running, &search.process);
  EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Shown(const char* className, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  HWND window = nullptr;
  while (!(window = ShownWindow(className))) {
    if (GetTickCount() - start >= timeoutMs) return 1;
    Sleep(50);
  }
  RECT rect{};
  GetWindowRect(window, &rect);
  std::printf("shown %ld %ld %ld %ld %s\n", rect.left, rect.top, rect.right, rect.bottom, Hex(TextOf(window)).c_str());
  return 0;
}

int Cancel() {
  HWND dialog = ShownWindow(kDialogClass);
  if (!dialog) return 1;
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0) ? 0 : 1;
}

int Closed(const char* className, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (ShownWindow(className)) {
    if (GetTickCount() - start >= timeoutMs) return 1;
    Sleep(50);
  }
  return 0;
}

int Library(const char* file, char** numbers, int count) {
  HMODULE library = LoadLibraryA(file);
  if (!library) return 1;
  for (int i = 0; i < count; ++i) {
    const UINT id = std::strtoul(numbers[i], nullptr, 10);
    char text[255] = {};
    if (LoadStringA(library, id, text, sizeof text) > 0) std::printf("string %u %s\n", id, Hex(text).c_str());
  }
  for (UINT id : {106u, 107u, 110u, 115u, 132u}) {
    if (FindResourceA(library, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5))) std::printf("dialog %u\n", id);
  }
  for (UINT id : {111u, 117u, 130u}) {
    if (HBITMAP bitmap = LoadBitmapA(library, MAKEINTRESOURCEA(id))) {
      BITMAP info{};
      GetObjectA(bitmap, sizeof info, &info);
      std::printf("bitmap %u %ldx%ld\n", id, info.bmWidth, info.bmHeight);
      DeleteObject(bitmap);
    }
  }
  for (int size : {16, 32}) {
    if (HANDLE icon = LoadImageA(library, MAKEINTRESOURCEA(128), IMAGE_ICON, size, size, LR_VGACOLOR)) {
      std::printf("icon 128 %d\n", size);
      DestroyIcon(static_cast<HICON>(icon));
    }
  }
  if (LoadCursorA(library, MAKEINTRESOURCEA(116))) std::printf("cursor 116\n");
  FreeLibrary(library);
  return 0;
}

INT_PTR CALLBACK LeaveToTheSystem(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The dialog's own controls, not the parts of a control (a list view's header).
BOOL CALLBACK PrintControlNumber(HWND child, LPARAM dialog) {
  if (GetParent(child) == reinterpret_cast<HWND>(dialog)) std::printf("control %d\n", GetDlgCtrlID(child));
  return TRUE;
}

int Show(const char* file, int dialogId, DWORD timeoutMs) {
  HMODULE library = LoadLibraryA(file);
  if (!library) return 1;
  HWND dialog = CreateDialogParamA(library, MAKEINTRESOURCEA(dialogId), nullptr, LeaveToTheSystem, 0);
  if (!dialog) return 1;
  std::printf("style %08lx\n", static_cast<unsigned long>(GetWindowLongA(dialog, GWL_STYLE)));
  EnumChildWindows(dialog, PrintControlNumber, reinterpret_cast<LPARAM>(dialog));
  ShowWindow(dialog, SW_SHOW);
  std::printf("shown\n");
  std::fflush(stdout);
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < timeoutMs) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(20);
  }
  DestroyWindow(dialog);
  FreeLibrary(library);
  return 0;
}

int HoldSetEvent(const char* name, DWORD milliseconds, const char* sddl) {
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), nullptr, FALSE};
  if (sddl != nullptr && !ConvertStringSecurityDescriptorToSecurityDescriptorA(
                             sddl, SDDL_REVISION_1, &attributes.lpSecurityDescriptor, nullptr)) {
    return 1;
  }
  HANDLE event = CreateEventA(sddl != nullptr ? &attributes : nullptr, TRUE, TRUE, name);
  LocalFree(attributes.lpSecurityDescriptor);
  if (event == nullptr) return 1;
  Sleep(milliseconds);
  CloseHandle(event);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const DWORD timeoutMs = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 0;
  int result = 2;
  if (command == "window" && argc == 4) result = Window(argv[2], timeoutMs);
  if (command == "gone" && argc == 4) result = Gone(argv[2], timeoutMs);
  if (command == "box" && argc == 4) result = Box(argv[2], timeoutMs);
  if (command == "answer" && argc == 3) result = Answer(argv[2]);
  if (command == "send" && argc == 3) result = Send(std::strtoul(argv[2], nullptr, 10));
  if (command == "watch" && argc == 3) result = Watch(std::strtoul(argv[2], nullptr, 10));
  if (command == "devicechange" && argc == 3) result = DeviceChange(std::strtoul(argv[2], nullptr, 0));
  if (command == "shown" && argc == 4) result = Shown(argv[2], timeoutMs);
  if (command == "closed" && argc == 4) result = Closed(argv[2], timeoutMs);
  if (command == "cancel" && argc == 2) result = Cancel();
  if (command == "library" && argc >= 3) result = Library(argv[2], argv + 3, argc - 3);
  if (command == "list" && argc == 4) result = List(argv[2], timeoutMs);
  if (command == "event" && (argc == 4 || argc == 5))
    result = HoldSetEvent(argv[2], timeoutMs, argc == 5 ? argv[4] : nullptr);
  if (command == "show" && argc == 5) result = Show(argv[2], std::atoi(argv[3]), std::strtoul(argv[4], nullptr, 10));
  if (result == 2) {
    std::fprintf(stderr,
                 "usage: holvara-trayprobe window|gone|box <title> <ms> | answer <caption> | send <wParam> |"
                 " library <file> <numbers...> | show <file> <dialog> <ms>\n");
  }
  std::fflush(stdout);
  return result;
}
