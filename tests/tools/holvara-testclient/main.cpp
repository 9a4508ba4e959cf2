// holvara-testclient: talks to HolvaraService over the real pipe, one exchange per run (or many
// for the benchmark). For tests only; not installed.
//
// Usage and output (one line on stdout per run; debugger texts of the client go to stderr):
//   init CODE          command 0 with the search code      -> sent=S reply=HEX value=N
//   info INDEX         command 1 for a table slot          -> sent=S present=.. number=.. type=..
//                        path=".." letters=".." friendly=".." adapter=".." description=".."
//                        hwid=".." suffix=".." pdo=".."
//   basic DISK         command 2                           -> sent=S reply=HEX value=N
//   remove HWID PDO    command 3                           -> sent=S reply=HEX value=N
//   rescan             command 4                           -> sent=S reply=HEX value=N
//   probe              the tray program's service probe    -> probe=0|1
//   raw HEXBYTES [MS]  opens the pipe (waiting while another client holds it), writes exactly
//                      these bytes, waits for the finished event (or the end of the connection),
//                      reads what comes                  -> signalled=0|1 reply=HEX
//                      With MS it first prints signalled=0|1 on a line of its own and waits MS
//                      milliseconds before it reads.
//   silent             connects and closes without writing -> connected=0|1
//   hold MS            connects, writes nothing, keeps the connection MS milliseconds, then reads
//                      what the service sent meanwhile    -> connected=0|1 reply=HEX
//   noread CODE [MS]   sends command 0, keeps the connection MS milliseconds (default 0) and
//                      exits without reading the reply    -> sent=S
//   bench N            N exchanges of command 0 with search code 0
//                                                          -> exchanges=N failed=F ms=T per_second=R
//   records N INDEX    N exchanges of command 1 for one table slot
//                                                          -> exchanges=N failed=F distinct=D
//                                                             reply=HEX (the first record)
// S is 1 when the request was written and the service signalled it finished. HEX is the reply's
// bytes in pipe order, lower-case; N is the little-endian u32 value. Numbers take decimal or 0x
// hex. Exit code: 0 when the exchange succeeded, 1 when it failed, 2 on a usage error.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/protocol.h"
#include "common/text_field.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_ipc.h"
#include "tray/app/service_client.h"

namespace holvara {
namespace {

class StderrDebugOutput final : public DebugOutput {
 public:
  void Write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stderr); }
};

constexpr char kUsage[] =
    "usage: holvara-testclient init CODE | info INDEX | basic DISK | remove HWID PDO | rescan |\n"
    "       probe | raw HEXBYTES [MS] | silent | hold MS | noread CODE [MS] | bench N |\n"
    "       records N INDEX\n";

std::string Hex(const void* data, std::size_t size) {
  static constexpr char kDigits[] = "0123456789abcdef";
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0xF];
  }
  return text;
}

std::uint32_t Number(const char* text) { return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 0)); }

int PrintValue(bool sent, std::uint32_t value) {
  std::printf("sent=%d reply=%s value=%u\n", sent ? 1 : 0, Hex(&value, sizeof(value)).c_str(), value);
  return sent ? 0 : 1;
}

int ValueExchange(const ClientPorts& ports, const ServiceRequest& request) {
  ServiceClient client(ports);
  const bool sent = client.Send(request);
  return PrintValue(sent, client.ReadResult());
}

int RecordExchange(const ClientPorts& ports, std::uint16_t index) {
  ServiceRequest request{};
  request.command = kDEVICE_INFO;
  request.index = index;
  ServiceClient client(ports);
  const bool sent = client.Send(request);
  DeviceRecord record{};
  client.ReadRecord(record);
  std::printf(
      "sent=%d present=%u number=%u type=%u path=\"%s\" letters=\"%s\" friendly=\"%s\" "
      "adapter=\"%s\" description=\"%s\" hwid=\"%s\" suffix=\"%s\" pdo=\"%s\"\n",
      sent ? 1 : 0, record.present, record.deviceNumber, record.driveType,
      std::string(ReadField(record.devicePath)).c_str(), std::string(ReadField(record.driveLetters)).c_str(),
      std::string(ReadField(record.friendlyName)).c_str(), std::string(ReadField(record.adapterDescription)).c_str(),
      std::string(ReadField(record.deviceDescription)).c_str(), std::string(ReadField(record.hardwareId)).c_str(),
      std::string(ReadField(record.instanceSuffix)).c_str(), std::string(ReadField(record.deviceObjectName)).c_str());
  return sent ? 0 : 1;
}

std::vector<std::byte> ParseHex(std::string_view text) {
  std::vector<std::byte> bytes;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    bytes.push_back(static_cast<std::byte>(std::stoul(std::string(text.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

constexpr int kRawBusyAttempts = 10;
constexpr std::uint32_t kRawBusyWaitMs = 2000;

int RawExchange(Ipc& ipc, Clock& clock, std::string_view hex, std::optional<std::uint32_t> readAfterMs) {
  const auto event = ipc.CreateNamedEvent(kFinishedEventName);
  auto opened = ipc.OpenPipe(kPipeName);
  // A test's probe may hold the pipe for a moment just when this client starts.
  for (int attempt = 1; attempt < kRawBusyAttempts && opened.error == PipeOpenError::kBusy; ++attempt) {
    ipc.WaitForPipe(kPipeName, kRawBusyWaitMs);
    opened = ipc.OpenPipe(kPipeName);
  }
  if (!opened.pipe) {
    std::printf("signalled=0 reply=\n");
    return 1;
  }
  opened.pipe->Write(ParseHex(hex));
  opened.pipe->Flush();
  bool signalled = false;
  while (event && !(signalled = event->Wait(250)) && opened.pipe->ServerAlive()) {
  }
  if (readAfterMs) {
    std::printf("signalled=%d\n", signalled ? 1 : 0);
    std::fflush(stdout);
    clock.SleepMs(*readAfterMs);
  }
  std::vector<std::byte> reply(kRecordReplySize);
  std::size_t filled = 0;
  while (filled < reply.size()) {
    const std::size_t got = opened.pipe->Read(std::span(reply).subspan(filled));
    if (got == 0) break;
    filled += got;
  }
  std::printf("signalled=%d reply=%s\n", signalled ? 1 : 0, Hex(reply.data(), filled).c_str());
  return signalled ? 0 : 1;
}

int Silent(Ipc& ipc) {
  const bool connected = ipc.OpenPipe(kPipeName).pipe != nullptr;
  std::printf("connected=%d\n", connected ? 1 : 0);
  return connected ? 0 : 1;
}

int Hold(Ipc& ipc, Clock& clock, std::uint32_t holdMs) {
  const auto opened = ipc.OpenPipe(kPipeName);
  if (!opened.pipe) {
    std::printf("connected=0 reply=\n");
    return 1;
  }
  clock.SleepMs(holdMs);
  std::byte reply[kShortReplySize]{};
  const std::size_t got = opened.pipe->ServerAlive() ? opened.pipe->Read(reply) : 0;
  std::printf("connected=1 reply=%s\n", Hex(reply, got).c_str());
  return 0;
}

int NoRead(const ClientPorts& ports, std::uint32_t searchCode, std::uint32_t holdMs) {
  ServiceRequest request{};
  request.searchCode = searchCode;
  ServiceClient client(ports);
  const bool sent = client.Send(request);
  std::printf("sent=%d\n", sent ? 1 : 0);
  std::fflush(stdout);
  ports.clock.SleepMs(holdMs);
  return sent ? 0 : 1;
}

int Bench(const ClientPorts& ports, std::uint32_t exchanges) {
  const std::uint64_t start = ports.clock.NowMs();
  std::uint32_t failed = 0;
  for (std::uint32_t i = 0; i < exchanges; ++i) {
    ServiceClient client(ports);
    const ServiceRequest request{};
    if (!client.Send(request)) ++failed;
    client.ReadResult();
  }
  const std::uint64_t elapsed = ports.clock.NowMs() - start;
  const double perSecond = elapsed == 0 ? 0.0 : exchanges * 1000.0 / static_cast<double>(elapsed);
  std::printf("exchanges=%u failed=%u ms=%llu per_second=%.1f\n", exchanges, failed,
              static_cast<unsigned long long>(elapsed), perSecond);
  return failed == 0 ? 0 : 1;
}

// Every reply must be the record of the slot asked for; a record of another client's exchange
// shows as a second distinct reply.
int Records(const ClientPorts& ports, std::uint32_t exchanges, std::uint16_t index) {
  ServiceRequest request{};
  request.command = kDEVICE_INFO;
  request.index = index;
  std::uint32_t failed = 0;
  std::vector<std::string> distinct;
  for (std::uint32_t i = 0; i < exchanges; ++i) {
    ServiceClient client(ports);
    const bool sent = client.Send(request);
    DeviceRecord record{};
    client.ReadRecord(record);
    if (!sent) {
      ++failed;
      continue;
    }
    std::string reply = Hex(&record, sizeof record);
    if (std::find(distinct.begin(), distinct.end(), reply) == distinct.end()) distinct.push_back(std::move(reply));
  }
  std::printf("exchanges=%u failed=%u distinct=%zu reply=%s\n", exchanges, failed, distinct.size(),
              distinct.empty() ? "" : distinct.front().c_str());
  return failed == 0 && distinct.size() == 1 ? 0 : 1;
}

int Run(int argc, char** argv) {
  Win32Ipc ipc;
  Win32Clock clock;
  StderrDebugOutput debug;
  const ClientPorts ports{ipc, clock, debug};
  const std::string_view verb = argc > 1 ? argv[1] : "";
  const auto request = [](std::uint32_t command) {
    ServiceRequest made{};
    made.command = command;
    return made;
  };

  if (verb == "init" && argc == 3) {
    ServiceRequest made = request(kDEVICE_INIT);
    made.searchCode = Number(argv[2]);
    return ValueExchange(ports, made);
  }
  if (verb == "info" && argc == 3) return RecordExchange(ports, static_cast<std::uint16_t>(Number(argv[2])));
  if (verb == "basic" && argc == 3) {
    ServiceRequest made = request(kDEVICE_BASIC);
    made.index = static_cast<std::uint16_t>(Number(argv[2]));
    return ValueExchange(ports, made);
  }
  if (verb == "remove" && argc == 4) {
    ServiceRequest made = request(kDEVICE_REMOVE);
    CopyToField(made.hardwareId, argv[2]);
    CopyToField(made.deviceObjectName, argv[3]);
    return ValueExchange(ports, made);
  }
  if (verb == "rescan" && argc == 2) return ValueExchange(ports, request(kDEVICE_RESCAN));
  if (verb == "probe" && argc == 2) {
    const std::uint32_t reachable = ProbeService(ports);
    std::printf("probe=%u\n", reachable);
    return reachable == 1 ? 0 : 1;
  }
  if (verb == "raw" && (argc == 3 || argc == 4)) {
    return RawExchange(ipc, clock, argv[2], argc == 4 ? std::optional(Number(argv[3])) : std::nullopt);
  }
  if (verb == "silent" && argc == 2) return Silent(ipc);
  if (verb == "hold" && argc == 3) return Hold(ipc, clock, Number(argv[2]));
  if (verb == "noread" && (argc == 3 || argc == 4)) {
    return NoRead(ports, Number(argv[2]), argc == 4 ? Number(argv[3]) : 0);
  }
  if (verb == "bench" && argc == 3) return Bench(ports, Number(argv[2]));
  if (verb == "records" && argc == 4) {
    return Records(ports, Number(argv[2]), static_cast<std::uint16_t>(Number(argv[3])));
  }
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace
}  // namespace holvara

int main(int argc, char** argv) { return holvara::Run(argc, argv); }
