#include "tray/app/holvara_app.h"

#include <array>
#include <cstring>
#include <utility>

#include "common/first_start_settings.h"
#include "platform/ports/ui_constants.h"
#include "tray/app/busy_markers.h"
#include "tray/app/help_document.h"
#include "tray/app/holvara_doc.h"
#include "tray/app/holvara_view.h"
#include "tray/app/locale.h"
#include "tray/app/named_mutex.h"
#include "tray/app/registry_values.h"
#include "tray/dialogs/version_dlg.h"
#include "tray/frame/main_frame.h"
#include "tray/resources/startup_messages.h"

namespace holvara {

namespace {
constexpr std::size_t kTextBuffer = 255;
}  // namespace

CHolvaraApp::CHolvaraApp(const TrayPorts& ports, const ClientPorts& client)
    : WinApp(ports.ui, ports.registry, kApplicationName), ports_(ports), client_(client) {}

bool CHolvaraApp::InitInstance() {
  // Probing a drive without a disk must fail at once, not show the system's "No disk" box.
  ports_.system.FailCriticalErrors();
  SetRegistryKey(kRegistryKeyName);
  if (GetProfileInt(kProfileSection, "AutoRun", -1) == -1) WriteFirstStartDefaults();
  if (StartedAtLogon() && GetProfileInt(kProfileSection, "AutoRun", 0) == 0) return false;

  const bool japanese = ShowsJapanese(ports_.system);
  if (!InstallationMarkerPresent()) {
    ShowStartupError(japanese ? kInstallationMessageJapanese : kInstallationMessageEnglish);
    return false;
  }
  instanceMutex_ = CreateNamedMutex(ports_.mutexes, kInstanceMutexName);
  if (!instanceMutex_) {
    SignalRunningInstance();
    return false;
  }
  resourceLibrary_ = LoadResourceLibrary(japanese);
  if (!resourceLibrary_) {
    ShowStartupError(japanese ? kLibraryMessageJapanese : kLibraryMessageEnglish);
    return false;
  }

  AddDocTemplate(std::make_unique<framework::SingleDocTemplate>(
      kDocTemplateResource, [] { return std::make_unique<CHolvaraDoc>(); },
      [this](Ui& ui) {
        return std::make_unique<CMainFrame>(
            ui, FramePorts{ports_.notificationArea, ports_.keyboard, ports_.debug, ports_.exitRequest}, *this);
      },
      [](Ui& ui) { return std::make_unique<CHolvaraView>(ui); }));
  if (!ProcessShellCommand(ports_.system.CommandLine(), TemplateDescription(), ports_.files.ModuleFileName())) {
    return false;
  }

  ports_.ui.Show(mainWindowId(), win::kSwHide);
  ports_.ui.SetTitle(mainWindowId(), kMainWindowTitle);
  ports_.ui.InitCommonControls();
  ports_.ui.StartTimer(mainWindowId(), kServiceWaitTimer, kFirstServiceWaitMs);
  return true;
}

// A removal or rescan whose dialog the end of the program closed may still be talking to the
// service through the adapters that the program's entry point destroys when it returns. The worker
// gets a while to finish (after the instance mutex is free, so a new start need not wait); one that
// runs on past it ends with the process, which never returns under it.
int CHolvaraApp::ExitInstance() {
  ReleaseNamedMutex(instanceMutex_);
  resourceLibrary_.reset();
  const int exitCode = WinApp::ExitInstance();
  if (!KeptWorkersEndWithin(kKeptWorkerWaitMs)) ports_.system.EndProcess(static_cast<std::uint32_t>(exitCode));
  return exitCode;
}

bool CHolvaraApp::KeptWorkersEndWithin(std::uint32_t timeoutMs) {
  const std::uint64_t deadline = client_.clock.NowMs() + timeoutMs;
  for (const std::unique_ptr<Thread>& worker : runningWorkers_) {
    const std::uint64_t now = client_.clock.NowMs();
    if (!worker->Wait(static_cast<std::uint32_t>(now < deadline ? deadline - now : 0))) return false;
  }
  runningWorkers_.clear();
  return true;
}

void CHolvaraApp::WriteFirstStartDefaults() {
  for (const FirstStartSetting& setting : kFirstStartSettings) {
    WriteProfileInt(kProfileSection, setting.name, setting.value);
  }
  // Quoted: unquoted, a path with a blank (the program-files folder) reads as a program and a file
  // argument, and the start at logon would end at once.
  std::string entry = "\"";
  entry.append(ports_.files.ModuleFileName()).append("\" ").append(kAutoRunSwitch);
  // The terminator is stored with the text, as a REG_SZ value should hold it.
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(entry.c_str());
  WriteRegistryValue(ports_.registry, RegistryRoot::kCurrentUser, kWriteText, kLogonEntryKeyPath, kLogonEntryName,
                     std::span(bytes, entry.size() + 1));
}

bool CHolvaraApp::StartedAtLogon() { return ports_.system.CommandLine().find(kAutoRunSwitch) != std::string::npos; }

bool CHolvaraApp::InstallationMarkerPresent() {
  std::unique_ptr<RegistryKey> key;
  if (ports_.registry.OpenKey(RegistryRoot::kLocalMachine, kSettingsKeyPath, key) != reg::kOk) return false;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  if (key->QueryValue(kInstallationMarkerName, type, data) != reg::kOk || data.size() > 4) return false;
  std::uint32_t marker = 0;
  if (!data.empty()) std::memcpy(&marker, data.data(), data.size());
  return marker == kInstallationMarker;
}

void CHolvaraApp::ShowStartupError(const char* text) {
  ports_.ui.ShowMessageBox(kNoWindow, text, kProductTitle, win::kMbIconError);
}

// The running program's main window is the one of the program's class: a folder window of the
// installation is titled "Holvara" too. The user just started this process, so it may come to the
// foreground, and it hands that right on: the dialog the running program opens in answer comes up
// in front of the active window, not behind it.
void CHolvaraApp::SignalRunningInstance() {
  TopWindows& windows = ports_.screen.topWindows;
  const WindowId running = windows.FindByClassAndTitle(kWindowClassName, kMainWindowTitle);
  if (running == kNoWindow) return;
  windows.AllowForeground(windows.ProcessOf(running));
  if (!registeredMessage_) registeredMessage_ = ports_.ui.RegisterMessage(kRegisteredMessageName);
  ports_.ui.Post(running, *registeredMessage_, kHolvaraBringForward, 0);
}

std::unique_ptr<ResourceLibrary> CHolvaraApp::LoadResourceLibrary(bool japanese) {
  if (japanese) {
    if (auto library = ports_.resources.Load(kJapaneseLibrary)) return library;
  }
  return ports_.resources.Load(kEnglishLibrary);
}

std::string CHolvaraApp::TemplateDescription() {
  std::array<char, kTextBuffer> text{};
  LoadText(kDocTemplateResource, text);
  return text.data();
}

int CHolvaraApp::DoMessageBox(std::string_view text, std::uint32_t style, std::uint32_t helpContext) {
  std::string name = std::exchange(appName_, kProductTitle);
  const int result = WinApp::DoMessageBox(text, style, helpContext);
  appName_ = std::move(name);
  return result;
}

void CHolvaraApp::WinHelp(std::uintptr_t, std::uint32_t) { OpenHelp(); }

int CHolvaraApp::ShowMessage(std::uint32_t stringId, std::uint32_t style) {
  messageBoxOpen_ = 1;
  std::array<char, kTextBuffer> text{};
  LoadText(stringId, text);
  const int result = MessageBox(text.data(), style);
  messageBoxOpen_ = 0;
  return result;
}

int CHolvaraApp::LoadText(std::uint32_t stringId, std::span<char> buffer) {
  if (buffer.empty()) return 0;
  if (!resourceLibrary_) {
    buffer[0] = '\0';
    return 0;
  }
  return resourceLibrary_->String(stringId, buffer);
}

void CHolvaraApp::OpenHelp() {
  if (OpenFile(HelpDocumentPath(ports_.files)) <= win::kShellOpenFailureLimit) {
    MessageBox(kHelpNotFoundText, win::kMbOk);
  }
}

std::intptr_t CHolvaraApp::OpenFile(std::string_view target) { return ports_.shell.Open(target); }

void CHolvaraApp::VersionSequence() {
  CVersionDlg dialog(DialogPortsOf(), ports_.screen, *this);
  dialog.DoModal(DialogModule(), DialogOwner());
}

std::unique_ptr<ResourceImage> CHolvaraApp::ProgramIcon(int size) {
  return Resources().Icon(kTrayIconResource, size, size);
}

void CHolvaraApp::ReadSettingBytes(std::string_view name, std::span<std::uint8_t> out) {
  ReadRegistryValue(ports_.registry, RegistryRoot::kCurrentUser, kSettingsKeyPath, name, out);
}

void CHolvaraApp::WriteSettingDword(std::string_view name, std::uint8_t value) {
  WriteRegistryValue(ports_.registry, RegistryRoot::kCurrentUser, kWriteDword, kSettingsKeyPath, name,
                     std::span(&value, 1));
}

std::string_view CHolvaraApp::BusyMarker() { return FirstBusyMarker(ports_.ui, mainWindowId()); }

bool CHolvaraApp::ServiceReachable() { return ProbeService(client_) == 1; }

int CHolvaraApp::ProfileInt(const char* name, int defaultValue) {
  return GetProfileInt(kProfileSection, name, defaultValue);
}

void CHolvaraApp::WriteProfileSetting(const char* name, int value) { WriteProfileInt(kProfileSection, name, value); }

DialogPorts CHolvaraApp::DialogPortsOf() {
  return {ports_.ui,         ports_.threads,  client_.clock,  ports_.shapes,
          ports_.windowWalk, ports_.tooltips, ports_.colours, ports_.debug};
}

ModuleId CHolvaraApp::DialogModule() const { return resourceLibrary_ ? resourceLibrary_->Module() : 0; }

WindowId CHolvaraApp::DialogOwner() { return ports_.ui.LastActivePopup(mainWindowId()); }

void CHolvaraApp::NotifyDeviceListChanged() {
  const WindowId popup = ports_.ui.LastActivePopup(mainWindowId());
  if (popup != kNoWindow && ports_.ui.IsEnabled(popup)) ports_.ui.Post(popup, kDeviceListChangedMessage, 0, 0);
}

}  // namespace holvara
