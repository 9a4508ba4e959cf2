#include "apps/holvara-sim/requests.h"

#include <array>
#include <charconv>

#include "common/text_field.h"

namespace holvara::simtool {
namespace {

using json = nlohmann::ordered_json;

// Decimal, or hexadecimal after "0x".
std::uint32_t Number(const std::string& word, std::uint32_t max) {
  const bool hex = word.starts_with("0x") || word.starts_with("0X");
  const char* begin = word.data() + (hex ? 2 : 0);
  const char* end = word.data() + word.size();
  std::uint32_t value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value, hex ? 16 : 10);
  if (begin == end || error != std::errc() || stop != end || value > max) {
    throw RequestError{"\"" + word + "\" is not a number from 0 to " + std::to_string(max)};
  }
  return value;
}

std::string Hex(const void* data, std::size_t size) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    const auto byte = static_cast<const unsigned char*>(data)[i];
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

json Init(RequestContext& context, std::span<const std::string> arguments) {
  const std::uint32_t searchCode = Number(arguments[0], 0xFFFFFFFFu);
  const std::uint32_t count = context.service.Refresh(searchCode);
  return {{"request", "init"},
          {"searchCode", searchCode},
          {"count", count},
          {"interfaceSetBuilds", context.service.list().lastInterfaceSetBuilds()}};
}

json Info(RequestContext& context, std::span<const std::string> arguments) {
  const auto index = static_cast<std::uint8_t>(Number(arguments[0], 255));
  const DeviceRecord record = context.service.Record(index);
  return {{"request", "info"},
          {"index", index},
          {"present", record.present},
          {"deviceNumber", record.deviceNumber},
          {"driveType", record.driveType},
          {"devicePath", ReadField(record.devicePath)},
          {"driveLetters", ReadField(record.driveLetters)},
          {"friendlyName", ReadField(record.friendlyName)},
          {"adapterDescription", ReadField(record.adapterDescription)},
          {"parentHardwareId", ReadField(record.parentHardwareId)},
          {"grandparentHardwareId", ReadField(record.grandparentHardwareId)},
          {"deviceDescription", ReadField(record.deviceDescription)},
          {"hardwareId", ReadField(record.hardwareId)},
          {"instanceSuffix", ReadField(record.instanceSuffix)},
          {"deviceObjectName", ReadField(record.deviceObjectName)},
          {"bytes", Hex(&record, sizeof record)}};
}

json Basic(RequestContext& context, std::span<const std::string> arguments) {
  const auto disk = static_cast<std::uint8_t>(Number(arguments[0], 255));
  return {{"request", "basic"}, {"disk", disk}, {"reply", context.service.CheckBasicDisk(disk)}};
}

json Remove(RequestContext& context, std::span<const std::string> arguments) {
  // The texts travel in fixed request fields, so they are cut as the client would cut them.
  ServiceRequest request{};
  CopyToField(request.hardwareId, arguments[0]);
  CopyToField(request.deviceObjectName, arguments[1]);
  const auto reply = context.service.Remove(ReadField(request.hardwareId), ReadField(request.deviceObjectName));
  return {{"request", "remove"}, {"hardwareId", arguments[0]}, {"deviceObjectName", arguments[1]}, {"reply", reply}};
}

json Rescan(RequestContext& context, std::span<const std::string>) {
  return {{"request", "rescan"}, {"reply", context.service.Rescan()}};
}

json List(RequestContext& context, std::span<const std::string>) { return ListDevices(context.service, context.tray); }

constexpr std::array kKinds = {
    RequestKind{"init", "init SEARCHCODE", 1, Init},
    RequestKind{"info", "info SLOT", 1, Info},
    RequestKind{"basic", "basic DISKNUMBER", 1, Basic},
    RequestKind{"remove", "remove HARDWAREID DEVICEOBJECTNAME", 2, Remove},
    RequestKind{"rescan", "rescan", 0, Rescan},
    RequestKind{"list", "list (the tray's device list, with the settings given as options)", 0, List},
};

}  // namespace

std::span<const RequestKind> RequestKinds() { return kKinds; }

}  // namespace holvara::simtool
