#include "tray/dialogs/remove_device_dlg.h"

#include <array>
#include <cstdio>

#include "common/tray_label.h"
#include "platform/ports/drawing.h"
#include "platform/ports/ui_constants.h"
#include "tray/dialogs/device_list_notice.h"
#include "tray/frame/system_messages.h"

namespace holvara {

namespace {

constexpr std::size_t kTextBuffer = 255;
constexpr std::uint32_t kCaptionString = 5;
constexpr std::uint32_t kHeadingString = 8;
constexpr std::uint32_t kAdviceString = 9;
constexpr std::uint32_t kDeviceHeaderString = 10;
constexpr std::uint32_t kDriveHeaderString = 11;
constexpr std::uint32_t kEmptyListString = 13;
constexpr std::uint32_t kAutoRunString = 19;
constexpr std::uint32_t kAutoRunNoticeString = 20;

constexpr int kDeviceColumn = 0;
constexpr int kDriveColumn = 1;
constexpr int kDeviceColumnWidth = 300;
constexpr int kJapaneseDeviceColumnWidth = 350;
constexpr int kDriveColumnWidth = 90;
constexpr int kImageSize = 16;
constexpr std::uint32_t kImageMask = Rgb(0, 0, 0);
constexpr std::uint32_t kRescanSettleMs = 500;
constexpr char kAutoRunSetting[] = "AutoRun";
// Posted to the dialog itself when the list's rows changed their state (WM_APP + 1).
constexpr std::uint32_t kMarkChangedMessage = 0x8000 + 1;

}  // namespace

std::string DeviceColumnText(const ListedDevice& device) {
  if (device.kind != kListedSingleDevice || !device.inUnit) return device.displayName;
  std::array<char, kTextBuffer> text{};
  std::snprintf(text.data(), text.size(), "%s %s", TrayLabel(device.target).c_str(), device.displayName.c_str());
  return text.data();
}

std::string DriveColumnText(std::string_view driveLetters) {
  if (driveLetters.empty()) return "-";
  std::string text;
  for (const char letter : driveLetters) {
    text += letter;
    text += ": ";
  }
  return text;
}

int DeviceImage(const ListedDevice& device) {
  if (device.kind == kListedUnit) return CRemoveDeviceDlg::kUnitImage;
  return device.inUnit ? CRemoveDeviceDlg::kTrayImage : CRemoveDeviceDlg::kSingleDeviceImage;
}

CRemoveDeviceDlg::CRemoveDeviceDlg(const DialogPorts& ports, const ScreenPorts& screen, DialogHost& host,
                                   RemoveDeviceHost& devices)
    : Dialog(ports.ui, kRemoveDeviceDialogTemplate), ports_(ports), screen_(screen), host_(host), devices_(devices) {}

int CRemoveDeviceDlg::OnCreate() {
  marker_.Set(ports_.ui, host_.MarkerWindow());
  return 0;
}

void CRemoveDeviceDlg::DoDataExchange(framework::DataExchange& exchange) {
  exchange.Control(kDeviceList, list_);
  exchange.Check(kAutoRunBox, autoRun_);
}

bool CRemoveDeviceDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  SetStaticText(kHeading, kHeadingString);
  SetStaticText(kAdvice, kAdviceString);
  SetStaticText(kAutoRunBox, kAutoRunString);
  FillList();
  ports_.ui.SetTitle(id(), LoadString(kCaptionString));
  return true;
}

void CRemoveDeviceDlg::FillList() {
  const std::optional<ShownDevice> marked = MarkedDevice();
  const bool showedNoDevice = rows_.empty();
  while (screen_.listViews.DeleteColumn(list_, 0)) {
  }
  screen_.listViews.DeleteAllItems(list_);
  screen_.listViews.SetExtendedStyle(list_, screen_.listViews.ExtendedStyle(list_) | kLvsExFullRowSelect);
  InsertColumns();
  if (!images_) AttachImages();

  rows_ = devices_.ListedDevices();
  if (rows_.empty()) {
    screen_.listViews.InsertItem(list_, 0, LoadString(kEmptyListString), std::nullopt);
    screen_.listViews.MarkRow(list_, 0);
  } else {
    for (std::size_t row = 0; row < rows_.size(); ++row) InsertRow(static_cast<int>(row), rows_[row]);
    const std::optional<int> row = showedNoDevice ? std::optional<int>(0) : marked ? RowOf(*marked) : std::nullopt;
    if (row) screen_.listViews.MarkRow(list_, *row);
  }
  ShowStoredAutoRun();
  EnableButtons();
}

int CRemoveDeviceDlg::MarkedRow() {
  const int row = screen_.listViews.SelectionMark(list_);
  return row >= 0 && static_cast<std::size_t>(row) < rows_.size() ? row : -1;
}

std::optional<ShownDevice> CRemoveDeviceDlg::MarkedDevice() {
  const int row = MarkedRow();
  if (row < 0) return std::nullopt;
  return ShownDeviceAt(rows_, static_cast<std::size_t>(row));
}

std::optional<int> CRemoveDeviceDlg::RowOf(const ShownDevice& device) {
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (SameDevice(ShownDeviceAt(rows_, row), device)) return static_cast<int>(row);
  }
  return std::nullopt;
}

void CRemoveDeviceDlg::InsertColumns() {
  const int dpi = screen_.metrics.Dpi(list_);
  const int deviceWidth = devices_.ShowsJapaneseTexts() ? kJapaneseDeviceColumnWidth : kDeviceColumnWidth;
  screen_.listViews.InsertColumn(list_, kDeviceColumn, LoadString(kDeviceHeaderString), kLvcfmtCenter,
                                 Scaled(deviceWidth, dpi));
  screen_.listViews.InsertColumn(list_, kDriveColumn, LoadString(kDriveHeaderString), kLvcfmtCenter,
                                 Scaled(kDriveColumnWidth, dpi));
}

// Made once for the life of the window; the list only borrows it, the dialog destroys it.
void CRemoveDeviceDlg::AttachImages() {
  const int size = Scaled(kImageSize, screen_.metrics.Dpi(list_));
  images_ = screen_.listViews.CreateImageList(size, size, 0, 0);
  if (!images_) return;
  if (const auto strip = devices_.Resources().Bitmap(kListImagesBitmap)) {
    screen_.listViews.AddMasked(*images_, *strip, kImageMask);
  }
  screen_.listViews.SetSmallImageList(list_, *images_);
}

void CRemoveDeviceDlg::InsertRow(int row, const ListedDevice& device) {
  screen_.listViews.InsertItem(list_, row, DeviceColumnText(device), DeviceImage(device));
  screen_.listViews.SetItemText(list_, row, kDriveColumn, DriveColumnText(device.driveLetters));
}

void CRemoveDeviceDlg::OnOK() {
  if (busy_) return;
  busy_ = true;
  EnableButtons();
  RemoveMarkedRow();
  busy_ = false;
  FillList();
}

void CRemoveDeviceDlg::OnCancel() {
  if (!busy_) Dialog::OnCancel();
}

// The application removes the entry only while it is still the device the row showed: a refresh
// since the list was filled may have put another device at its index, or changed a unit's members,
// and the user chose what the row showed. Otherwise nothing is removed and the refill shows the
// list as it is.
void CRemoveDeviceDlg::RemoveMarkedRow() {
  const int row = MarkedRow();
  if (row < 0) return;
  const ShownDevice shown = ShownDeviceAt(rows_, static_cast<std::size_t>(row));
  bool removed = false;
  {
    const std::unique_ptr<NamedMutex> guard = devices_.CreateRemovalMutex();
    removed = devices_.RemoveShownDevice(row, shown);
    if (guard) guard->Release();
  }
  // The main window refreshes after its own delay, and that refresh brings the list-changed
  // notice back here; meanwhile the list shows what is known now.
  if (removed) ports_.ui.Post(host_.MarkerWindow(), win::kWmDeviceChange, win::kDbtDevNodesChanged, 0);
}

bool CRemoveDeviceDlg::OnCommand(int controlId, std::uint32_t notification) {
  if (notification != win::kBnClicked) return false;
  if (busy_) {
    // The click toggled the box on screen; it goes back to what is stored.
    if (controlId == kAutoRunBox) ShowStoredAutoRun();
    return controlId == kAutoRunBox || controlId == kSettingsButton || controlId == kRescanButton;
  }
  switch (controlId) {
    case kAutoRunBox:
      StoreAutoRun();
      return true;
    case kSettingsButton:
      devices_.SettingsSequence();
      RefillIfChanged();
      return true;
    case kRescanButton:
      Rescan();
      return true;
    default:
      return false;
  }
}

// The refresh posts the list-changed notice here, whose refill follows the rescan.
void CRemoveDeviceDlg::Rescan() {
  busy_ = true;
  EnableButtons();
  devices_.RescanSequence();
  devices_.Sleep(kRescanSettleMs);
  devices_.RefreshDevices();
  busy_ = false;
  EnableButtons();
}

// Check boxes are two-state: anything but checked is stored as 0.
void CRemoveDeviceDlg::StoreAutoRun() {
  const int checked = ports_.ui.ItemCheck(id(), kAutoRunBox) == win::kBstChecked ? 1 : 0;
  host_.WriteProfileSetting(kAutoRunSetting, checked);
  ShowStoredAutoRun();
  devices_.ShowMessage(kAutoRunNoticeString, win::kMbIconInformation);
  RefillIfChanged();
}

void CRemoveDeviceDlg::ShowStoredAutoRun() {
  autoRun_ = host_.ProfileInt(kAutoRunSetting, 0) != 0 ? 1 : 0;
  UpdateData(false);
}

void CRemoveDeviceDlg::RefillIfChanged() {
  if (devices_.ListedDevices() != rows_) FillList();
}

void CRemoveDeviceDlg::EnableButtons() {
  ports_.ui.EnableItem(id(), win::kIdOk, !busy_ && MarkedRow() >= 0);
  ports_.ui.EnableItem(id(), kRescanButton, !busy_);
}

bool CRemoveDeviceDlg::PreTranslateMessage(const Message& message) {
  if ((message.message == win::kWmKeyDown || message.message == win::kWmSysKeyDown) && message.wParam == win::kVkF1) {
    devices_.OpenHelp();
  }
  return false;
}

std::intptr_t CRemoveDeviceDlg::WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (message == kDeviceListChangedMessage) {
    FillList();
    return 1;
  }
  // The list sets its selection mark only after it has told of the row's new state, so Remove
  // follows the mark once the list is done.
  if (message == kWmNotify && wParam == kDeviceList && lParam != 0 &&
      reinterpret_cast<const NotifyHeader*>(lParam)->code == kLvnItemChanged) {
    ports_.ui.Post(id(), kMarkChangedMessage, 0, 0);
    return 0;
  }
  if (message == kMarkChangedMessage) {
    EnableButtons();
    return 1;
  }
  return Dialog::WindowProc(message, wParam, lParam);
}

void CRemoveDeviceDlg::OnDestroy() {
  images_.reset();
  marker_.Remove(ports_.ui, host_.MarkerWindow());
}

void CRemoveDeviceDlg::SetStaticText(int controlId, std::uint32_t stringId) {
  ports_.ui.SetItemText(id(), controlId, LoadString(stringId));
}

std::string CRemoveDeviceDlg::LoadString(std::uint32_t stringId) {
  std::array<char, kTextBuffer> text{};
  host_.LoadText(stringId, text);
  return text.data();
}

}  // namespace holvara
