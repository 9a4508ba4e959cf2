// holvara-holdfile FILE MS: opens FILE for reading with no sharing at all (as a program that
// keeps a file to itself does), prints "held" once it holds it, and keeps it for MS milliseconds.
// Tests only.
//
// Exit code: 0 after holding the file for the time given, 1 when it could not be opened, 2 on a
// usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: holvara-holdfile FILE MS\n", stderr);
    return 2;
  }
  HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "cannot open %s: error %lu\n", argv[1], GetLastError());
    return 1;
  }
  std::puts("held");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
  CloseHandle(file);
  return 0;
}
