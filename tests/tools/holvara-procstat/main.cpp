// holvara-procstat NAME: the handle count and memory of the running process whose program file is
// NAME (the first one found), as the system reports them to another process. Tests only.
//
// Output: pid=P handles=H private=BYTES working_set=BYTES
// Exit code: 0 when the process was found and read, 1 when not, 2 on a usage error.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

namespace {

DWORD FindProcess(const char* name) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  DWORD found = 0;
  for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry)) {
    if (_stricmp(entry.szExeFile, name) == 0) found = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: holvara-procstat NAME\n", stderr);
    return 2;
  }
  const DWORD pid = FindProcess(argv[1]);
  const HANDLE process = pid ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
  DWORD handles = 0;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  const bool read = process && GetProcessHandleCount(process, &handles) &&
                    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  if (process) CloseHandle(process);
  if (!read) {
    std::printf("pid=%lu handles= private= working_set=\n", static_cast<unsigned long>(pid));
    return 1;
  }
  std::printf("pid=%lu handles=%lu private=%llu working_set=%llu\n", static_cast<unsigned long>(pid),
              static_cast<unsigned long>(handles), static_cast<unsigned long long>(memory.PrivateUsage),
              static_cast<unsigned long long>(memory.WorkingSetSize));
  return 0;
}
