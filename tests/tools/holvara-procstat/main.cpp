// holvara-procstat NAME: the handle count and memory of the running process whose program file is
// NAME (the first one found), from the system's process list (NtQuerySystemInformation with
// SystemProcessInformation), as a task manager reads them. Wine fills that list from its server,
// while it leaves GetProcessHandleCount at 0 and PrivateUsage at the swap in use. Tests only.
//
// Output: pid=P handles=H virtual=BYTES working_set=BYTES
// Exit code: 0 when the process was found, 1 when not, 2 on a usage error.
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

namespace {

using QuerySystemInformation = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);

std::vector<BYTE> ProcessList() {
  const auto query = reinterpret_cast<QuerySystemInformation>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  std::vector<BYTE> buffer(1 << 16);
  for (int attempt = 0; query && attempt < 8; ++attempt) {
    ULONG needed = 0;
    const NTSTATUS status = query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (NT_SUCCESS(status)) return buffer;
    buffer.resize(buffer.size() * 2 + needed);
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: holvara-procstat NAME\n", stderr);
    return 2;
  }
  wchar_t name[MAX_PATH]{};
  MultiByteToWideChar(CP_ACP, 0, argv[1], -1, name, MAX_PATH);
  const std::vector<BYTE> list = ProcessList();
  for (std::size_t offset = 0; offset < list.size();) {
    const auto* process = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(list.data() + offset);
    const std::wstring_view image(process->ImageName.Buffer ? process->ImageName.Buffer : L"",
                                  process->ImageName.Length / sizeof(wchar_t));
    if (!image.empty() && _wcsicmp(std::wstring(image).c_str(), name) == 0) {
      std::printf("pid=%llu handles=%lu virtual=%llu working_set=%llu\n",
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(process->UniqueProcessId)),
                  process->HandleCount, static_cast<unsigned long long>(process->VirtualMemoryCounters.VirtualSize),
                  static_cast<unsigned long long>(process->VirtualMemoryCounters.WorkingSetSize));
      return 0;
    }
    if (process->NextEntryOffset == 0) break;
    offset += process->NextEntryOffset;
  }
  std::printf("pid= handles= virtual= working_set=\n");
  return 1;
}
