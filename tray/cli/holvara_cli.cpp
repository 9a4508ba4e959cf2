#include "tray/cli/holvara_cli.h"

#include <cctype>
#include <cstring>
#include <map>
#include <optional>
#include <variant>
#include <vector>

#include "common/text_field.h"
#include "tray/app/device_list.h"
#include "tray/app/holvara_app.h"
#include "tray/app/removal_exchange.h"
#include "tray/app/removal_plan.h"
#include "tray/cli/cli_arguments.h"
#include "tray/cli/cli_output.h"
#include "tray/cli/cli_removal_output.h"
#include "tray/cli/reachability_ipc.h"

namespace holvara::cli {
namespace {

constexpr char kUnreachableText[] =
    "The Holvara service is not reachable. Make sure the service HolvaraService is running.\n";

// The tray's settings as the user's profile holds them. A value the profile lacks has the value
// the tray program's first start writes, so the list is the one the tray would show.
class CliHost : public DeviceListHost {
 public:
  CliHost(const CliPorts& ports, ReachabilityIpc& ipc)
      : ports_(ports), client_{ipc, ports.client.clock, ports.client.debug} {}

  int ProfileInt(const char* name, int defaultValue) override {
    static const std::map<std::string_view, int> kFirstStartValues = {
        {"Basic", 1}, {"SystemMessage", 1}, {"SearchCode", 64}};
    std::unique_ptr<RegistryKey> key;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (ports_.registry.OpenKey(RegistryRoot::kCurrentUser, kSettingsKeyPath, key) == reg::kOk &&
        key->QueryValue(name, type, data) == reg::kOk && type == reg::kDword && data.size() >= 4) {
      std::int32_t value = 0;
      std::memcpy(&value, data.data(), 4);
      return value;
    }
    const auto found = kFirstStartValues.find(name);
    return found == kFirstStartValues.end() ? defaultValue : found->second;
  }
  void NotifyDeviceListChanged() override {}
  FileSystem& Files() override { return ports_.files; }
  const ClientPorts& Client() override { return client_; }

 private:
  const CliPorts& ports_;
  ClientPorts client_;
};

bool HoldsLetter(const DeviceListEntry& entry, char letter) {
  return ReadField(entry.driveLetters).find(letter) != std::string_view::npos;
}

std::string Describe(const DeviceListEntry& entry) {
  std::string text = "[ ";
  if (entry.inUnit) text += "TRAY:" + std::to_string(entry.target + 1) + " ";
  text += std::string(ReadField(entry.displayName)) + " ]";
  if (const std::string drives = DriveNames(entry); !drives.empty()) text += " (" + drives + ")";
  return text;
}

class Session {
 public:
  Session(const CliPorts& ports, std::ostream& out, std::ostream& err)
      : ports_(ports), ipc_(ports.client.ipc), host_(ports, ipc_), out_(out), err_(err) {}

  int List(bool json) {
    if (!Refresh()) return Unreachable();
    json ? PrintJson(list_, out_) : PrintTable(list_, out_);
    return kDone;
  }

  int Remove(const Arguments& arguments) {
    if (!Refresh()) return Unreachable();
    const char systemDrive = SystemDriveLetter();
    int index = arguments.index.value_or(-1);
    if (arguments.letter) {
      const char letter = *arguments.letter;
      if (letter == systemDrive) return Refuse(std::string(1, letter) + ": is the system drive; it is never removed.");
      index = IndexHolding(letter);
      if (index < 0) {
        return Refuse("No removable device holds drive " + std::string(1, letter) +
                      ":. \"HolvaraCli list\" shows the devices that can be removed.");
      }
    }
    const std::optional<RemovalPlan> plan = PlanRemoval(list_, index);
    if (!plan) {
      return Refuse("There is no device or unit at index " + std::to_string(index) +
                    ". \"HolvaraCli list\" shows the devices that can be removed.");
    }
    const std::vector<DeviceListEntry> devices = plan->IsUnit() ? plan->members : std::vector{plan->entry};
    // Every device of a unit is checked before the first is removed, so a refusal removes nothing.
    for (const DeviceListEntry& device : devices) {
      if (systemDrive && HoldsLetter(device, systemDrive)) {
        return Refuse(Describe(device) + " holds the system drive; it is never removed.");
      }
      if (device.systemDrive == 1 && host_.ProfileInt("SystemMessage", 0) == 1 && !arguments.confirmed) {
        return Refuse(Describe(device) +
                      " holds system files, such as the paging file. Removing it may make Windows unstable. "
                      "Add --yes to remove it anyway.");
      }
    }
    RemovalOutput output(out_, err_, arguments.json);
    for (const DeviceListEntry& device : devices) {
      if (!output.Add(Describe(device), RequestRemoval(host_.Client(), device))) break;
    }
    return output.Finish();
  }

  int Rescan() {
    ServiceRequest request{};
    request.command = kDEVICE_RESCAN;
    ServiceClient client(host_.Client());
    client.Send(request);
    const std::uint32_t result = client.ReadResult();
    if (!ipc_.reached()) return Unreachable();
    if (result == 0) return Refuse("The search for new devices failed.");
    out_ << "The search for new devices is done; \"HolvaraCli list\" shows what was found.\n";
    return kDone;
  }

 private:
  bool Refresh() {
    RefreshDeviceList(host_, staging_, list_);
    return ipc_.reached();
  }

  int IndexHolding(char letter) const {
    const auto entries = EntriesInUse(list_);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].kind == kSingleDevice && HoldsLetter(entries[i], letter)) return static_cast<int>(i);
    }
    return -1;
  }

  char SystemDriveLetter() {
    const std::string windows = ports_.files.WindowsDirectory();
    return windows.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(windows[0])));
  }

  int Refuse(const std::string& reason) {
    err_ << reason << '\n';
    return kRefused;
  }

  int Unreachable() {
    err_ << kUnreachableText;
    return kUnreachable;
  }

  const CliPorts& ports_;
  ReachabilityIpc ipc_;
  CliHost host_;
  std::ostream& out_;
  std::ostream& err_;
  StagingTable staging_{};
  DeviceListTable list_{};
};

}  // namespace

int RunCli(std::span<const std::string_view> words, const CliPorts& ports, std::string_view version,
           std::ostream& out, std::ostream& err) {
  const auto parsed = ParseArguments(words);
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    err << "HolvaraCli: " << error->message << "\n\n" << kUsageText;
    return kUsage;
  }
  const Arguments& arguments = std::get<Arguments>(parsed);
  Session session(ports, out, err);
  switch (arguments.action) {
    case Action::kHelp:
      out << kUsageText;
      return kDone;
    case Action::kVersion:
      out << "HolvaraCli " << version << " (" << kProductTitle << ")\n";
      return kDone;
    case Action::kList:
      return session.List(arguments.json);
    case Action::kRemove:
      return session.Remove(arguments);
    case Action::kRescan:
      return session.Rescan();
  }
  return kUsage;
}

}  // namespace holvara::cli
