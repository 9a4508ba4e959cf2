// The tray program's application object: it decides at start whether this process may run,
// loads the resource library, makes the hidden main window, and offers the routines that the
// main window and the dialogs share.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/ports/mutex.h"
#include "platform/ports/resources.h"
#include "tray/app/device_list.h"
#include "tray/app/removal_plan.h"
#include "tray/app/service_client.h"
#include "tray/app/tray_ports.h"
#include "tray/dialogs/dialog_host.h"
#include "tray/dialogs/remove_device_host.h"
#include "tray/dialogs/version_host.h"
#include "tray/frame/frame_host.h"
#include "tray/frame/menu_host.h"
#include "tray/framework/win_app.h"

namespace holvara {

inline constexpr char kProductTitle[] = "ZELTO Dock Warden";
inline constexpr char kRegistryKeyName[] = "ZELTO";
inline constexpr char kApplicationName[] = "Holvara";
inline constexpr char kInstanceMutexName[] = "Holvara";
inline constexpr char kMainWindowTitle[] = "Holvara";
inline constexpr char kAutoRunSwitch[] = "/AutoRun";
inline constexpr char kProfileSection[] = "Common";
inline constexpr char kSettingsKeyPath[] = "Software\\ZELTO\\Holvara\\Common";
inline constexpr char kLogonEntryKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\run";
inline constexpr char kLogonEntryName[] = "Holvara";
inline constexpr char kInstallationMarkerName[] = "CurrentMode";
inline constexpr std::uint32_t kInstallationMarker = 141421356;
inline constexpr char kJapaneseLibrary[] = "HolvaraRes.dll";
inline constexpr char kEnglishLibrary[] = "HolvaraResUS.dll";
inline constexpr int kDocTemplateResource = 128;
inline constexpr std::uintptr_t kServiceWaitTimer = 1;
inline constexpr std::uint32_t kFirstServiceWaitMs = 2000;
inline constexpr char kHelpNotFoundText[] = "Help file is not found!";
// How long the end of the program waits for a removal or rescan worker that its dialog left
// running: a removal the service works on is usually answered well within it, and the icon is
// already gone, so nobody waits on a worker that merely retries an absent service.
inline constexpr std::uint32_t kKeptWorkerWaitMs = 10000;

// How a removal sequence ended: every device removed, the confirmation declined (nothing more
// shown), or a failure (reported with the service's reason when it gave one, else string 5001).
enum class RemovalOutcome { kRemoved, kDeclined, kFailed };

class CHolvaraApp : public framework::WinApp,
                    public FrameHost,
                    public DeviceListHost,
                    public DialogHost,
                    public MenuHost,
                    public RemoveDeviceHost,
                    public VersionHost {
 public:
  CHolvaraApp(const TrayPorts& ports, const ClientPorts& client);

  bool InitInstance() override;
  int ExitInstance() override;
  // Every box of the framework's message-box path carries the product title as its caption.
  int DoMessageBox(std::string_view text, std::uint32_t style, std::uint32_t helpContext) override;
  // The help entry opens the help document whatever it is asked.
  void WinHelp(std::uintptr_t data, std::uint32_t command) override;

  // Shows string id of the resource library with the style; the notification icon ignores the
  // mouse while the box is on screen.
  int ShowMessage(std::uint32_t stringId, std::uint32_t style) override;
  // Loads string id of the resource library into the buffer and returns its length.
  int LoadText(std::uint32_t stringId, std::span<char> buffer) override;
  // Opens Index.html or ZELTODockWarden.pdf next to the program, or says the help is missing.
  void OpenHelp() override;
  // Hands a file, folder or address to the shell's "open" and returns the shell's result.
  std::intptr_t OpenFile(std::string_view target) override;
  int messageBoxOpen() const { return messageBoxOpen_; }
  // Runs the version dialog modally.
  void VersionSequence() override;

  // Rebuilds the device list from the service and tells an open dialog; returns 1.
  int RefreshDevices() override { return RefreshDeviceList(*this, staging_, deviceList_); }
  const DeviceListTable& deviceList() const { return deviceList_; }

  // How a removal chains: each entry point makes a plan of what to remove and hands it to
  // RemovePlannedDevices, which removes it device by device with RemoveOneDevice. By the index of
  // an entry of the device list, RemovalSequence; by the index of the device menu's copy of the
  // list, RemoveCopiedEntry; by the listed device the remove-device dialog showed (nothing when the
  // list has changed under it), RemoveShownDevice. The remove-device dialog itself is opened by
  // RemoveDeviceSequence.
  //
  // Removes entry index of the device list (a device, or each member of a unit in turn) behind
  // the progress dialog, shown or hidden, with a confirmation for a device that holds system files
  // when "SystemMessage" is set, and reports the outcome in a box. An index outside the list or
  // an entry that cannot be removed sends nothing and reports failure.
  RemovalOutcome RemovalSequence(int index, bool show);
  // Runs the settings dialog; a change of "Show" or "Basic" is followed by a rescan, a refresh
  // and an icon update, any other confirmed change by an icon update.
  void SettingsSequence() override;

  // FrameHost.
  std::string_view BusyMarker() override;
  ResourceLibrary& Resources() override { return *resourceLibrary_; }
  bool MessageBoxOnScreen() override { return messageBoxOpen_ == 1; }
  bool DeviceListEmpty() override { return deviceList_[0].inUse != 1; }
  bool ServiceReachable() override;
  // Runs the rescan dialog, hidden unless its owner is on screen; the outcome is not shown.
  void RescanSequence() override;
  // Runs the remove-device dialog modally, without a parent; returns 1.
  int RemoveDeviceSequence() override;
  void Sleep(std::uint32_t ms) override { client_.clock.SleepMs(ms); }
  MenuHost& MenuCommands() override { return *this; }

  // MenuHost (holvara_app_menus.cpp).
  std::vector<DeviceMenuEntry> CopyDeviceListForMenu() override;
  void RemoveCopiedEntry(std::size_t index) override;
  bool JapaneseLocale() override;
  WindowsVersion SystemVersion() override { return ports_.system.Version(); }
  const ScreenPorts& Screen() override { return ports_.screen; }

  // DeviceListHost and FrameHost.
  int ProfileInt(const char* name, int defaultValue) override;
  void NotifyDeviceListChanged() override;
  FileSystem& Files() override { return ports_.files; }
  const ClientPorts& Client() override { return client_; }

  // DialogHost.
  WindowId MarkerWindow() override { return mainWindowId(); }
  void WriteProfileSetting(const char* name, int value) override;
  void KeepRunningWorker(std::unique_ptr<Thread> worker) override { runningWorkers_.push_back(std::move(worker)); }

  // VersionHost.
  std::unique_ptr<ResourceImage> ProgramIcon(int size) override;
  void ReadSettingBytes(std::string_view name, std::span<std::uint8_t> out) override;
  void WriteSettingDword(std::string_view name, std::uint8_t value) override;

  // RemoveDeviceHost (remove_device_sequence.cpp).
  std::vector<ListedDevice> ListedDevices() override;
  bool RemoveShownDevice(int index, const ShownDevice& shown) override;
  std::unique_ptr<NamedMutex> CreateRemovalMutex() override;
  bool ShowsJapaneseTexts() override;

 private:
  void WriteFirstStartDefaults();
  bool StartedAtLogon();
  bool InstallationMarkerPresent();
  void ShowStartupError(const char* text);
  void SignalRunningInstance();
  std::unique_ptr<ResourceLibrary> LoadResourceLibrary(bool japanese);
  std::string TemplateDescription();
  // Waits for the workers kept from dialogs the end of the program closed; false when one still
  // runs once the time is up.
  bool KeptWorkersEndWithin(std::uint32_t timeoutMs);
  // Removes what the plan holds; no plan sends nothing and reports failure. While a removal runs,
  // another starts nothing and ends as declined.
  RemovalOutcome RemovePlannedDevices(const std::optional<RemovalPlan>& plan, bool show);
  // Removes one device behind its own progress dialog, after the system-files confirmation.
  RemovalOutcome RemoveOneDevice(const DeviceListEntry& device, bool member, bool show, bool namedSuccess);
  // The failure box with a stop icon: what the service's report says to do when it gives a
  // reason, else the fallback string. Takes the report, so it is never shown twice.
  void ShowRemovalFailure(std::uint32_t fallbackString);
  // What every dialog of the program runs with: no parent of its own, so the main window's last
  // active popup owns it, and the templates of the resource library.
  DialogPorts DialogPortsOf();
  ModuleId DialogModule() const;
  WindowId DialogOwner();

  TrayPorts ports_;
  ClientPorts client_;
  std::unique_ptr<NamedMutex> instanceMutex_;
  std::unique_ptr<ResourceLibrary> resourceLibrary_;
  int messageBoxOpen_ = 0;
  std::optional<std::uint32_t> registeredMessage_;
  StagingTable staging_{};
  DeviceListTable deviceList_{};
  // The list as the last device menu showed it; a choice in that menu removes from this copy.
  DeviceListTable menuCopy_{};
  std::vector<std::unique_ptr<Thread>> runningWorkers_;
  // The last removal worker's report; read only after that worker has ended.
  std::shared_ptr<RemovalReport> removalReport_ = std::make_shared<RemovalReport>();
};

}  // namespace holvara
