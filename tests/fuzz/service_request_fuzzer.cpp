// The service's request handling: whatever a local client writes, in pieces of one request
// (208 bytes; a short last piece is a short read, its missing bytes zero), goes to the dispatcher
// over the device service on a simulated PC. Every known command is answered with exactly its
// reply size, any other value with nothing; a record and a removal report are clean; the device work is handed only the
// bounded contents of the request's fields, and every device-information set and start of COM a
// request opens is closed again.
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "common/protocol.h"
#include "common/text_field.h"
#include "platform/sim/machine_loader.h"
#include "platform/sim/sim_device_interfaces.h"
#include "platform/sim/sim_device_tree.h"
#include "platform/sim/sim_event_log.h"
#include "platform/sim/sim_storage.h"
#include "platform/sim/sim_wmi.h"
#include "service/devices/device_service.h"
#include "service/host/request_dispatcher.h"
#include "tests/fuzz/fuzz_support.h"

namespace holvara {
namespace {

using fuzz::DiscardingDebugOutput;
using fuzz::InputReader;
using fuzz::IsCleanField;

constexpr std::size_t kMostRequests = 8;

// Runs each worker to its end at once on the calling thread: what a request does, not how
// threads interleave, is under test here.
class InlineThreads : public Threads {
 public:
  std::unique_ptr<Thread> Start(std::function<std::uint32_t()> body) override {
    auto thread = StartSuspended(std::move(body));
    thread->Resume();
    return thread;
  }
  std::unique_ptr<Thread> StartSuspended(std::function<std::uint32_t()> body) override {
    return std::make_unique<Inline>(std::move(body));
  }

 private:
  // Runs its body on the caller's thread when it is resumed.
  class Inline : public Thread {
   public:
    explicit Inline(std::function<std::uint32_t()> body) : body_(std::move(body)) {}
    bool Wait(std::uint32_t) override { return !body_; }
    std::uint32_t ExitCode() override { return body_ ? kThreadStillActive : exitCode_; }
    bool Resume() override {
      if (body_) {
        exitCode_ = body_();
        body_ = nullptr;
      }
      return true;
    }

   private:
    std::function<std::uint32_t()> body_;
    std::uint32_t exitCode_ = 0;
  };
};

// The device work seen from the dispatcher's side: every call must carry what the request's
// fields hold, read no further than each field.
class CheckedWork : public DeviceWork {
 public:
  CheckedWork(DeviceWork& work, const ServiceRequest& request) : work_(work), request_(request) {}

  std::uint32_t Refresh(std::uint32_t searchCode) override {
    FUZZ_CHECK(searchCode == request_.searchCode);
    return work_.Refresh(searchCode);
  }
  DeviceRecord Record(std::uint8_t index) override {
    FUZZ_CHECK(index == (request_.index & 0xFF));
    return work_.Record(index);
  }
  std::uint32_t CheckBasicDisk(std::uint8_t diskNumber) override {
    FUZZ_CHECK(diskNumber == (request_.index & 0xFF));
    return work_.CheckBasicDisk(diskNumber);
  }
  std::uint32_t Remove(std::string_view hardwareId, std::string_view deviceObjectName) override {
    FUZZ_CHECK(hardwareId.data() == request_.hardwareId);
    FUZZ_CHECK(hardwareId.size() == strnlen(request_.hardwareId, sizeof request_.hardwareId));
    FUZZ_CHECK(deviceObjectName.data() == request_.deviceObjectName);
    FUZZ_CHECK(deviceObjectName.size() == strnlen(request_.deviceObjectName, sizeof request_.deviceObjectName));
    return work_.Remove(hardwareId, deviceObjectName);
  }
  RemovalReport RemoveWithReport(std::string_view hardwareId, std::string_view deviceObjectName) override {
    FUZZ_CHECK(hardwareId.data() == request_.hardwareId);
    FUZZ_CHECK(hardwareId.size() == strnlen(request_.hardwareId, sizeof request_.hardwareId));
    FUZZ_CHECK(deviceObjectName.data() == request_.deviceObjectName);
    FUZZ_CHECK(deviceObjectName.size() == strnlen(request_.deviceObjectName, sizeof request_.deviceObjectName));
    return work_.RemoveWithReport(hardwareId, deviceObjectName);
  }
  std::uint32_t Rescan() override { return work_.Rescan(); }

 private:
  DeviceWork& work_;
  const ServiceRequest& request_;
};

void CheckRecord(const DeviceRecord& record, std::uint8_t index) {
  FUZZ_CHECK(record.present == 0 || record.present == 1);
  if (record.present == 0 || index >= kDeviceTableSlots) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    FUZZ_CHECK(std::all_of(bytes, bytes + sizeof record, [](std::uint8_t b) { return b == 0; }));
    return;
  }
  FUZZ_CHECK(IsCleanField(record.devicePath));
  FUZZ_CHECK(IsCleanField(record.driveLetters));
  FUZZ_CHECK(IsCleanField(record.friendlyName));
  FUZZ_CHECK(IsCleanField(record.adapterDescription));
  FUZZ_CHECK(IsCleanField(record.parentHardwareId));
  FUZZ_CHECK(IsCleanField(record.grandparentHardwareId));
  FUZZ_CHECK(IsCleanField(record.deviceDescription));
  FUZZ_CHECK(IsCleanField(record.hardwareId));
  FUZZ_CHECK(IsCleanField(record.instanceSuffix));
  FUZZ_CHECK(IsCleanField(record.deviceObjectName));
  FUZZ_CHECK(
      std::all_of(std::begin(record.reserved), std::end(record.reserved), [](std::uint8_t b) { return b == 0; }));
  // Letters are upper case, without separators, in alphabetical order, and come with a drive type.
  const std::string_view letters = ReadField(record.driveLetters);
  FUZZ_CHECK(std::is_sorted(letters.begin(), letters.end()));
  FUZZ_CHECK(std::adjacent_find(letters.begin(), letters.end()) == letters.end());
  FUZZ_CHECK(std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'A' && c <= 'Z'; }));
  FUZZ_CHECK(letters.empty() == (record.driveType == 0));
}

// A removed device has no reason; a refused one names at most what the record holds, each text
// ending inside its field, and nothing past the programs counted.
void CheckReport(const RemovalReport& report) {
  FUZZ_CHECK(report.result == 0 || report.result == 1);
  FUZZ_CHECK(report.vetoed == 0 || report.vetoed == 1);
  FUZZ_CHECK(report.result == 0 || (report.vetoed == 0 && report.vetoType == 0 && report.programCount == 0));
  FUZZ_CHECK(report.vetoed == 1 || report.programCount == 0);
  FUZZ_CHECK(report.programCount <= kMaxBlockingPrograms);
  FUZZ_CHECK(report.programsCut == 0 || (report.programsCut == 1 && report.programCount == kMaxBlockingPrograms));
  FUZZ_CHECK(
      std::all_of(std::begin(report.reserved), std::end(report.reserved), [](std::uint8_t b) { return b == 0; }));
  FUZZ_CHECK(IsCleanField(report.vetoName));
  for (std::size_t i = 0; i < kMaxBlockingPrograms; ++i) {
    const BlockingProgram& program = report.programs[i];
    FUZZ_CHECK(IsCleanField(program.imagePath));
    if (i >= report.programCount) {
      FUZZ_CHECK(program.processId == 0 && program.imagePath[0] == '\0');
    }
  }
}

void CheckReply(const ServiceRequest& request, const std::optional<std::vector<std::byte>>& reply) {
  if (request.command > kLastCommand) {
    FUZZ_CHECK(!reply);
    return;
  }
  FUZZ_CHECK(reply);
  const std::size_t expected = request.command == kDEVICE_INFO            ? kRecordReplySize
                               : request.command == kDEVICE_REMOVE_REPORT ? kReportReplySize
                                                                          : kShortReplySize;
  FUZZ_CHECK(reply->size() == expected);
  if (request.command == kDEVICE_REMOVE_REPORT) {
    RemovalReport report;
    std::memcpy(&report, reply->data(), sizeof report);
    CheckReport(report);
    return;
  }
  if (request.command == kDEVICE_INFO) {
    DeviceRecord record;
    std::memcpy(&record, reply->data(), sizeof record);
    CheckRecord(record, static_cast<std::uint8_t>(request.index & 0xFF));
    return;
  }
  std::uint32_t value = 0;
  std::memcpy(&value, reply->data(), sizeof value);
  if (request.command == kDEVICE_INIT) FUZZ_CHECK(value <= kDeviceTableSlots);
  else FUZZ_CHECK(value == 0 || value == 1);
}

// One machine for the whole run, put back as loaded before every input: removals and rescans
// change it, and a copy per input cost as much as the requests themselves.
sim::Machine& MachineAsLoaded() {
  static sim::Machine machine = sim::LoadMachineFile(HOLVARA_FUZZ_MACHINE);
  machine.Restore();
  return machine;
}

}  // namespace
}  // namespace holvara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace holvara;
  sim::Machine& machine = MachineAsLoaded();
  sim::SimDeviceTree tree(machine);
  sim::SimDeviceInterfaces interfaces(machine);
  sim::SimStorage storage(machine);
  sim::SimWmi wmi(machine);
  sim::SimEventLog eventLog(machine);
  sim::SimVolumeNames volumeNames(machine);
  DiscardingDebugOutput debug;
  DeviceService service({tree, interfaces, storage, wmi, debug, eventLog, volumeNames});
  InlineThreads threads;

  InputReader input(data, size);
  for (std::size_t i = 0; i < kMostRequests && !input.empty(); ++i) {
    // On the heap and exactly one request long, so a read past its last field is caught.
    const auto request = std::make_unique<ServiceRequest>();
    const auto piece = input.Take(sizeof(ServiceRequest));
    std::memcpy(request.get(), piece.data(), piece.size());

    CheckedWork work(service, *request);
    RequestDispatcher dispatcher(work, threads, debug);
    CheckReply(*request, dispatcher.Dispatch(*request));
    // What a request opens (device-information sets, COM) it closes again.
    FUZZ_CHECK(wmi.comDepth() == 0);
    FUZZ_CHECK(interfaces.setsOpen() == 0);
  }
  return 0;
}
