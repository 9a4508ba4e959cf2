#include "apps/holvara-sim/list_request.h"

#include <cstring>
#include <string_view>

#include "common/text_field.h"
#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_kernel.h"
#include "service/host/request_dispatcher.h"
#include "tray/app/device_list.h"
#include "tray/app/service_client.h"

namespace holvara::simtool {
namespace {

using json = nlohmann::ordered_json;

class ListHost : public DeviceListHost {
 public:
  ListHost(const TraySettings& settings, const ClientPorts& client) : settings_(settings), client_(client) {
    files_.SetWindowsDirectory(settings.windowsDirectory);
    files_.SetCurrentDirectory(settings.currentDirectory);
    for (const std::string& file : settings.files) files_.AddFile(file);
  }

  int ProfileInt(const char* name, int defaultValue) override {
    if (std::string_view(name) == "SearchCode") return settings_.searchCode;
    if (std::string_view(name) == "Basic") return settings_.basic;
    return defaultValue;
  }
  void NotifyDeviceListChanged() override {}
  FileSystem& Files() override { return files_; }
  const ClientPorts& Client() override { return client_; }

 private:
  const TraySettings& settings_;
  const ClientPorts& client_;
  SimFileSystem files_;
};

json EntryJson(const DeviceListEntry& entry) {
  return {{"inUse", entry.inUse},
          {"systemDrive", entry.systemDrive},
          {"kind", entry.kind},
          {"inUnit", entry.inUnit},
          {"host", entry.host},
          {"port", entry.port},
          {"target", entry.target},
          {"memberCount", entry.memberCount},
          {"serviceIndex", entry.serviceIndex},
          {"driveLetters", ReadField(entry.driveLetters)},
          {"displayName", ReadField(entry.displayName)},
          {"hardwareId", ReadField(entry.hardwareId)},
          {"deviceDescription", ReadField(entry.deviceDescription)},
          {"deviceObjectName", ReadField(entry.deviceObjectName)}};
}

}  // namespace

json ListDevices(DeviceService& service, const TraySettings& settings) {
  SimKernel kernel;
  RecordingDebugOutput debug;
  RequestDispatcher dispatcher(service, kernel.threads(), debug);
  kernel.ipc().AttachResponder(kPipeName, kFinishedEventName, [&](const ServiceRequest& request) {
    std::vector<std::uint8_t> reply;
    if (auto bytes = dispatcher.Dispatch(request)) {
      reply.resize(bytes->size());
      std::memcpy(reply.data(), bytes->data(), bytes->size());
    }
    return reply;
  });

  const ClientPorts client{kernel.ipc(), kernel.clock(), debug};
  ListHost host(settings, client);
  StagingTable staging{};
  DeviceListTable list{};
  RefreshDeviceList(host, staging, list);

  json entries = json::array();
  for (const DeviceListEntry& entry : list) {
    if (entry.inUse != 1) break;
    entries.push_back(EntryJson(entry));
  }
  return {{"request", "list"}, {"count", entries.size()}, {"entries", entries}};
}

}  // namespace holvara::simtool
