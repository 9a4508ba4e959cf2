// holvara-pipeloop thread|inline [LIBRARY...]: the least a pipe server can do per exchange, to
// measure the service against. It creates the service's pipe with the same properties, and per connection
// reads the 208-byte request, makes a 4-byte reply (on a thread started and joined for it with
// "thread", on its own thread with "inline"), sets the finished event, writes the reply, and
// disconnects once the client has closed its end. Runs until it is killed. The libraries named
// are loaded first, to show what a library that takes part in every thread's start and end costs.
// Tests only.
#include <windows.h>
#include <process.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kPipeName[] = "\\\\.\\pipe\\HolvaraService";
constexpr char kFinishedEvent[] = "Global\\Holvara";
constexpr DWORD kRequestSize = 208;

unsigned __stdcall MakeReply(void* reply) {
  *static_cast<DWORD*>(reply) = 0;
  return 0;
}

bool Complete(HANDLE pipe, OVERLAPPED& overlapped, BOOL started, DWORD& transferred) {
  if (!started && GetLastError() != ERROR_IO_PENDING) return false;
  return GetOverlappedResult(pipe, &overlapped, &transferred, TRUE) != 0;
}

void Serve(HANDLE pipe, HANDLE ioEvent, bool onThread) {
  char request[kRequestSize];
  DWORD got = 0;
  OVERLAPPED overlapped{};
  overlapped.hEvent = ioEvent;
  Complete(pipe, overlapped, ReadFile(pipe, request, sizeof request, nullptr, &overlapped), got);

  DWORD reply = 1;
  if (onThread) {
    const auto thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, MakeReply, &reply, 0, nullptr));
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  } else {
    MakeReply(&reply);
  }
  if (const HANDLE finished = OpenEventA(EVENT_MODIFY_STATE, FALSE, kFinishedEvent)) {
    SetEvent(finished);
    CloseHandle(finished);
  }
  DWORD moved = 0;
  overlapped = OVERLAPPED{};
  overlapped.hEvent = ioEvent;
  Complete(pipe, overlapped, WriteFile(pipe, &reply, sizeof reply, nullptr, &overlapped), moved);
  // Until the client has closed its end, so that disconnecting cannot take the reply back.
  char scratch[64];
  for (;;) {
    overlapped = OVERLAPPED{};
    overlapped.hEvent = ioEvent;
    if (!Complete(pipe, overlapped, ReadFile(pipe, scratch, sizeof scratch, nullptr, &overlapped), moved) ||
        moved == 0) {
      break;
    }
  }
  DisconnectNamedPipe(pipe);
}

}  // namespace

int main(int argc, char** argv) {
  const bool onThread = argc >= 2 && std::strcmp(argv[1], "thread") == 0;
  if (argc < 2 || (!onThread && std::strcmp(argv[1], "inline") != 0)) {
    std::fputs("usage: holvara-pipeloop thread|inline [LIBRARY...]\n", stderr);
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    if (!LoadLibraryA(argv[i])) {
      std::fprintf(stderr, "holvara-pipeloop: %s cannot be loaded\n", argv[i]);
      return 1;
    }
  }
  const HANDLE pipe = CreateNamedPipeA(
      kPipeName, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 256, 256, 1000, nullptr);
  if (pipe == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "holvara-pipeloop: the pipe cannot be created (%lu)\n", GetLastError());
    return 1;
  }
  const HANDLE ioEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::printf("listening\n");
  std::fflush(stdout);
  for (;;) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioEvent;
    DWORD unused = 0;
    const BOOL connected = ConnectNamedPipe(pipe, &overlapped);
    const DWORD error = connected ? ERROR_SUCCESS : GetLastError();
    if (error == ERROR_IO_PENDING) {
      if (!GetOverlappedResult(pipe, &overlapped, &unused, TRUE)) continue;
    } else if (!connected && error != ERROR_PIPE_CONNECTED && error != ERROR_NO_DATA) {
      continue;
    }
    Serve(pipe, ioEvent, onThread);
  }
}
