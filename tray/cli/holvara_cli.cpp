#include "tray/cli/holvara_cli.h"

#include <cstring>
#include <optional>
#include <variant>
#include <vector>

#include "common/first_start_settings.h"
#include "common/text_field.h"
#include "common/tray_label.h"
#include "tray/app/device_list.h"
#include "tray/app/holvara_app.h"
#include "tray/app/removal_exchange.h"
#include "tray/app/removal_plan.h"
#include "tray/cli/cli_arguments.h"
#include "tray/cli/cli_output.h"
#include "tray/cli/cli_removal_output.h"
#include "tray/cli/entry_identity.h"
#include "tray/cli/reachability_ipc.h"
#include "tray/cli/unicode_text.h"

namespace holvara::cli {
namespace {

constexpr char kUnreachableText[] =
    "The Holvara service is not reachable. Make sure the service HolvaraService is running.\n";
constexpr char kNotInstalledText[] = "The Holvara service (HolvaraService) is not installed. Install Holvara again.\n";
constexpr char kStoppedText[] =
    "The Holvara service (HolvaraService) is stopped. Start it (\"net start HolvaraService\" as an administrator) or "
    "restart the computer.\n";
constexpr char kUnpinnedIndexText[] =
    "remove --index N removes whatever stands at N when it runs, and a device attached or removed since the list "
    "was read moves the entries. Without a console, name the device with --id ID, or pin N with --expect ID "
    "(the \"id\" of \"HolvaraCli list --json\"). Nothing was removed.";
constexpr char kListIdentitiesText[] = "\"HolvaraCli list --json\" shows the identities of the devices listed now.";
// How long the first exchange waits for a busy service: the client's retries to open the pipe.
constexpr std::uint32_t kWaitSeconds = (kSendOpenAttempts - 1) * kSendOpenDelayMs / 1000;

// The tray's settings as the user's profile holds them. A value the profile lacks has the value
// the tray program's first start writes, so the list is the one the tray would show.
class CliHost : public DeviceListHost {
 public:
  CliHost(const CliPorts& ports, ReachabilityIpc& ipc, Clock& clock)
      : ports_(ports), client_{ipc, clock, ports.client.debug} {}

  int ProfileInt(const char* name, int defaultValue) override {
    std::unique_ptr<RegistryKey> key;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (ports_.registry.OpenKey(RegistryRoot::kCurrentUser, kSettingsKeyPath, key) == reg::kOk &&
        key->QueryValue(name, type, data) == reg::kOk && type == reg::kDword && data.size() >= 4) {
      std::int32_t value = 0;
      std::memcpy(&value, data.data(), 4);
      return value;
    }
    return FirstStartValue(name, defaultValue);
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

struct Refusal {
  ExitCode code;
  std::string reason;
};

std::string Describe(const DeviceListEntry& entry, AnsiText& ansi) {
  std::string text = "[ ";
  if (entry.inUnit) text += TrayTag(entry.target) + " ";
  text += AnsiToUtf8(ansi, ReadField(entry.displayName)) + " ]";
  if (const std::string drives = DriveNames(entry); !drives.empty()) text += " (" + drives + ")";
  return text;
}

// What --index is about to remove, said before the first request.
std::string Announcement(int index, const RemovalPlan& plan, AnsiText& ansi) {
  const std::string entry = "Entry " + std::to_string(index) + " is ";
  if (!plan.IsUnit()) return entry + Describe(plan.entry, ansi) + "; removing it.\n";
  return entry + "the unit " + AnsiToUtf8(ansi, ReadField(plan.entry.displayName)) + " with " +
         std::to_string(plan.members.size()) + " disks; removing them one after the other.\n";
}

class Session {
 public:
  Session(const CliPorts& ports, std::ostream& out, std::ostream& err)
      : ports_(ports),
        ipc_(ports.client.ipc, [this] { SayWaiting(); }),
        clock_(ports.client.clock, ipc_),
        host_(ports, ipc_, clock_),
        out_(out),
        err_(err) {}

  int List(bool json) {
    if (const std::optional<int> absent = ServiceAbsent()) return *absent;
    if (const std::optional<int> failed = Refresh()) return *failed;
    json ? PrintJson(list_, ports_.ansi, out_) : PrintTable(list_, ports_.ansi, out_);
    return kDone;
  }

  int Remove(const Arguments& arguments) {
    if (arguments.index && !arguments.expect && !ports_.console.IsConsole(StandardStream::kInput)) {
      return Usage(kUnpinnedIndexText);
    }
    if (const std::optional<int> absent = ServiceAbsent()) return *absent;
    if (const std::optional<int> failed = Refresh()) return *failed;
    const std::variant<int, Refusal> target = FindTarget(arguments);
    if (const auto* refusal = std::get_if<Refusal>(&target)) return Refuse(*refusal);
    const int index = std::get<int>(target);
    const std::optional<RemovalPlan> plan = PlanRemoval(list_, index);
    if (!plan) {
      return Refuse("There is no device or unit at index " + std::to_string(index) +
                    ". \"HolvaraCli list\" shows the devices that can be removed.");
    }
    const std::vector<DeviceListEntry> devices = plan->IsUnit() ? plan->members : std::vector{plan->entry};
    // Every device of a unit is checked before the first is removed, so a refusal removes nothing.
    for (const DeviceListEntry& device : devices) {
      if (std::optional<std::string> reason = SystemRefusal(device, arguments.confirmed)) return Refuse(*reason);
    }
    if (arguments.index) out_ << Announcement(index, *plan, ports_.ansi) << std::flush;
    RemovalOutput output(out_, err_, arguments.json, ports_.ansi);
    for (const DeviceListEntry& device : devices) {
      if (!output.Add(Describe(device, ports_.ansi), RequestRemoval(host_.Client(), device))) break;
    }
    return output.Finish();
  }

  int Rescan() {
    if (const std::optional<int> absent = ServiceAbsent()) return *absent;
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
  // Builds the list; an exit code when it could not be built whole.
  std::optional<int> Refresh() {
    RefreshDeviceList(host_, staging_, list_);
    if (!ipc_.reached()) return Unreachable();
    if (!ipc_.complete()) {
      err_ << "The Holvara service stopped answering while the list was read (it may be busy removing a device for "
              "another program), so the list would miss devices. Nothing was listed or removed; try again later.\n";
      return kBusy;
    }
    return std::nullopt;
  }

  // The index of the entry the command names in the list just built, or why there is none.
  std::variant<int, Refusal> FindTarget(const Arguments& arguments) {
    if (arguments.letter) return EntryHolding(*arguments.letter);
    if (arguments.id) return EntryWithIdentity(*arguments.id);
    const int index = *arguments.index;
    if (arguments.expect && EntryIdentity(list_, index) != *arguments.expect) {
      return Refusal{kNoSuchDevice, "No such device now: entry " + std::to_string(index) +
                                        " is no longer the one --expect names, so nothing is removed. " +
                                        kListIdentitiesText};
    }
    return index;
  }

  std::variant<int, Refusal> EntryHolding(char letter) {
    if (letter == SystemDriveLetter()) {
      return Refusal{kRefused, std::string(1, letter) + ": is the system drive; it is never removed."};
    }
    const auto entries = EntriesInUse(list_);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].kind == kSingleDevice && HoldsLetter(entries[i], letter)) return static_cast<int>(i);
    }
    return Refusal{kRefused, "No removable device holds drive " + std::string(1, letter) +
                                 ":. \"HolvaraCli list\" shows the devices that can be removed."};
  }

  std::variant<int, Refusal> EntryWithIdentity(const std::string& identity) {
    if (const int index = IndexOfIdentity(list_, identity); index >= 0) return index;
    if (const int unit = UnitAtPositionOf(list_, identity); unit >= 0) {
      return Refusal{kNoSuchDevice, "No such device now: the unit " + UnitName(unit) +
                                        " no longer has the disks the identity names, so nothing is removed. " +
                                        kListIdentitiesText};
    }
    return Refusal{kNoSuchDevice, "No such device now: no listed device or unit has the identity " + identity + ". " +
                                      kListIdentitiesText};
  }

  std::string UnitName(int unit) const {
    return AnsiToUtf8(ports_.ansi, ReadField(list_[static_cast<std::size_t>(unit)].displayName));
  }

  // Why the device must not go, when it must not.
  std::optional<std::string> SystemRefusal(const DeviceListEntry& device, bool confirmed) {
    const char systemDrive = SystemDriveLetter();
    if (systemDrive && HoldsLetter(device, systemDrive)) {
      return Describe(device, ports_.ansi) + " holds the system drive; it is never removed.";
    }
    if (device.systemDrive == 1 && host_.ProfileInt("SystemMessage", 0) == 1 && !confirmed) {
      return Describe(device, ports_.ansi) +
             " holds system files, such as the paging file. Removing it may make Windows unstable. "
             "Add --yes to remove it anyway.";
    }
    return std::nullopt;
  }

  char SystemDriveLetter() { return holvara::SystemDriveLetter(ports_.files); }

  int Refuse(const std::string& reason) { return Refuse(Refusal{kRefused, reason}); }
  int Refuse(const Refusal& refusal) {
    err_ << refusal.reason << '\n';
    return refusal.code;
  }

  int Usage(const char* text) {
    err_ << "HolvaraCli: " << text << "\n\n" << kUsageText;
    return kUsage;
  }

  // The service manager's word comes first: a service that is not installed or is stopped is
  // answered at once, where the pipe alone would be retried for the client's whole wait.
  std::optional<int> ServiceAbsent() {
    service_ = ports_.services.QueryState(kServiceName);
    if (service_.query == ServiceQuery::kNotInstalled) {
      err_ << kNotInstalledText;
      return kNotInstalled;
    }
    if (service_.query == ServiceQuery::kAnswered &&
        (service_.state == kServiceStopped || service_.state == kServiceStopPending)) {
      err_ << kStoppedText;
      return kUnreachable;
    }
    return std::nullopt;
  }

  void SayWaiting() {
    err_ << "The Holvara service does not answer yet (it may be removing a device for another program); waiting up "
            "to "
         << kWaitSeconds << " seconds for it.\n"
         << std::flush;
  }

  // No exchange reached the service within the client's retries.
  int Unreachable() {
    if (service_.query != ServiceQuery::kAnswered) {
      err_ << kUnreachableText;
      return kUnreachable;
    }
    err_ << "The Holvara service (HolvaraService) runs but did not answer within " << kWaitSeconds
         << " seconds; it may be busy removing a device for another program. Try again later.\n";
    return kBusy;
  }

  const CliPorts& ports_;
  ReachabilityIpc ipc_;
  GivingUpClock clock_;
  CliHost host_;
  std::ostream& out_;
  std::ostream& err_;
  ServiceStateReport service_;
  StagingTable staging_{};
  DeviceListTable list_{};
};

}  // namespace

int RunCli(std::span<const std::string_view> words, const CliPorts& ports, std::string_view version, std::ostream& out,
           std::ostream& err) {
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
