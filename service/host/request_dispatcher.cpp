#include "service/host/request_dispatcher.h"

#include <span>

#include "common/text_field.h"
#include "platform/ports/ipc.h"

namespace holvara {

namespace {

template <typename T>
std::vector<std::byte> BytesOf(const T& value) {
  const auto bytes = std::as_bytes(std::span(&value, 1));
  return {bytes.begin(), bytes.end()};
}

}  // namespace

RequestDispatcher::RequestDispatcher(DeviceWork& work, Threads& threads, DebugOutput& debug)
    : work_(work), threads_(threads), debug_(debug) {}

template <typename Work>
bool RequestDispatcher::RunWorker(Work work) {
  const auto thread = threads_.Start([&work] {
    work();
    return 0u;
  });
  return thread && thread->Wait(kWaitForever);
}

std::optional<std::vector<std::byte>> RequestDispatcher::Dispatch(const ServiceRequest& request) {
  // Every reply starts from zero, so a worker that could not run answers 0 rather than whatever
  // an earlier request of the same command produced.
  std::uint32_t value = 0;
  const auto index = static_cast<std::uint8_t>(request.index & 0xFF);
  switch (request.command) {
    case kDEVICE_INIT:
      RunWorker([&] { value = work_.Refresh(request.searchCode); });
      return BytesOf(value);
    case kDEVICE_INFO: {
      DeviceRecord record{};
      RunWorker([&] { record = work_.Record(index); });
      return BytesOf(record);
    }
    case kDEVICE_BASIC:
      RunWorker([&] { value = work_.CheckBasicDisk(index); });
      return BytesOf(value);
    case kDEVICE_REMOVE:
      if (RunWorker(
              [&] { value = work_.Remove(ReadField(request.hardwareId), ReadField(request.deviceObjectName)); })) {
        debug_.Write("kDEVICE_REMOVE WAIT_OBJECT\n");
      }
      return BytesOf(value);
    case kDEVICE_REMOVE_REPORT: {
      RemovalReport report{};
      RunWorker(
          [&] { report = work_.RemoveWithReport(ReadField(request.hardwareId), ReadField(request.deviceObjectName)); });
      return BytesOf(report);
    }
    case kDEVICE_RESCAN:
      RunWorker([&] { value = work_.Rescan(); });
      return BytesOf(value);
    default:
      return std::nullopt;
  }
}

}  // namespace holvara
