#include "tray/dialogs/version_dlg.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/busy_marker_names.h"
#include "platform/ports/drawing.h"
#include "platform/ports/ui_constants.h"
#include "tray/frame/system_messages.h"

namespace holvara {

namespace {

using namespace version_dialog;

constexpr std::size_t kTextBuffer = 255;
constexpr std::size_t kDateBuffer = 16;
constexpr std::uint32_t kDescriptionString = 22;
constexpr std::uint32_t kDateLabelString = 25;
constexpr std::uint32_t kAutoUpdateString = 27;
constexpr std::uint32_t kAutoUpdateNoticeString = 28;
constexpr std::uint32_t kAddressString = 30;
constexpr std::uint32_t kHandCursor = 116;
constexpr int kIconSize = 32;
// Where the icon is drawn, in dialog units.
constexpr ItemRectangle kIconPlace{20, 28, 52, 60};
constexpr float kLastFullLayoutVersion = 1.15f;
constexpr int kCompactRightInset = 4;
constexpr int kCompactHeight = 185;
constexpr int kCompactHeightLargeFonts = 115;
constexpr int kLargestSmallFontUnit = 16;
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr std::uint32_t kDefaultBeep = 0;
constexpr std::uint32_t kStaticClicked = 0;

}  // namespace

float LeadingVersionNumber(const std::string& versionLine) {
  const std::string head = versionLine.substr(0, 4);
  return static_cast<float>(std::strtod(head.c_str(), nullptr));
}

CVersionDlg::CVersionDlg(const DialogPorts& ports, const ScreenPorts& screen, VersionHost& host)
    : Dialog(ports.ui, kVersionDialogTemplate), ports_(ports), screen_(screen), host_(host) {}

int CVersionDlg::OnCreate() {
  ports_.ui.SetProperty(host_.MarkerWindow(), kVersionDialogMarker, 1);
  return 0;
}

void CVersionDlg::OnDestroy() { ports_.ui.RemoveProperty(host_.MarkerWindow(), kVersionDialogMarker); }

void CVersionDlg::DoDataExchange(framework::DataExchange& exchange) {
  exchange.Control(kUpdateList, updateList_);
  exchange.Control(kAutoUpdate, autoUpdate_);
  exchange.Control(kAddress, address_);
  exchange.Control(kDateLabel, dateLabel_);
  exchange.Control(kDate, date_);
  exchange.Control(kApply, apply_);
  exchange.Control(win::kIdOk, ok_);
  exchange.Control(win::kIdCancel, cancel_);
}

bool CVersionDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  ports_.ui.EnableItem(id(), kApply, false);
  screen_.metrics.ClearRegion(id(), true);
  // Loaded once for the dialog's life: WM_PAINT and WM_SETCURSOR come often.
  const int dpi = screen_.metrics.Dpi(id());
  icon_ = host_.ProgramIcon(Scaled(kIconSize, dpi));
  handCursor_ = host_.Resources().Cursor(kHandCursor);
  FillTexts();
  LoadCheckBox();
  ChooseLayout();
  return true;
}

void CVersionDlg::FillTexts() {
  FillVersionTexts();
  const auto setString = [&](int control, std::uint32_t stringId) {
    std::array<char, kTextBuffer> text{};
    host_.LoadText(stringId, text);
    ports_.ui.SetItemText(id(), control, text.data());
  };
  setString(kAddress, kAddressString);
  setString(kDescription, kDescriptionString);
  setString(kDateLabel, kDateLabelString);
  setString(kAutoUpdate, kAutoUpdateString);

  // A value of exactly 16 bytes has no room for its terminator: it is not shown as text.
  std::array<std::uint8_t, kDateBuffer> date{};
  host_.ReadSettingBytes("Date", date);
  const bool terminated = std::find(date.begin(), date.end(), 0) != date.end();
  if (date[0] != 0 && terminated) {
    ports_.ui.SetItemText(id(), kDate, reinterpret_cast<const char*>(date.data()));
  } else {
    ports_.ui.SetItemText(id(), kDate, "-");
  }
}

void CVersionDlg::FillVersionTexts() {
  const std::unique_ptr<VersionBlock> block = screen_.versions.Read(kProgramFileName);
  if (!block) return;
  if (const auto version = block->Text(kFileVersionPath)) {
    std::array<char, kTextBuffer> line{};
    std::snprintf(line.data(), line.size(), "Version  %s", version->c_str());
    ports_.ui.SetItemText(id(), kVersionLine, line.data());
  }
  if (const auto legal = block->Text(kLegalCopyrightPath)) ports_.ui.SetItemText(id(), kLegalNotice, *legal);
}

void CVersionDlg::LoadCheckBox() {
  UpdateData(true);
  std::array<std::uint8_t, 4> value{};
  host_.ReadSettingBytes("AutoUpDate", value);
  if (value[0] == 1) ports_.ui.SetItemCheck(id(), kAutoUpdate, win::kBstChecked);
  UpdateData(false);
}

void CVersionDlg::ChooseLayout() {
  std::string line = ports_.ui.ItemText(id(), kVersionLine);
  if (line.size() > kTextBuffer - 1) line.resize(kTextBuffer - 1);
  if (LeadingVersionNumber(line) <= kLastFullLayoutVersion) ApplyCompactLayout();
}

void CVersionDlg::ApplyCompactLayout() {
  for (int control : {kDateLabel, kDate, kUpdateList, kAutoUpdate, kApply, win::kIdOk, win::kIdCancel}) {
    ports_.ui.ShowItem(id(), control, false);
  }
  WindowMetrics& metrics = screen_.metrics;
  // The heights are pixels at 96 dots per inch, where a system dialog unit above 16 pixels means
  // large fonts; both are compared and sized at the window's own density.
  const int dpi = metrics.Dpi(id());
  const bool largeFonts = metrics.DialogBaseUnitHeight() > Scaled(kLargestSmallFontUnit, dpi);
  ItemRectangle client = metrics.ClientRect(id());
  client.right -= Scaled(kCompactRightInset, dpi);
  client.bottom = client.top + Scaled(largeFonts ? kCompactHeightLargeFonts : kCompactHeight, dpi);
  const ItemRectangle window = metrics.WindowRectFor(client, metrics.WindowStyle(id()), kWsExClientEdge);
  ports_.ui.SetPosition(id(), kNoWindow, 0, 0, window.right - window.left, window.bottom - window.top,
                        win::kSwpNoMove | win::kSwpNoZOrder | win::kSwpNoActivate);
}

bool CVersionDlg::OnCommand(int controlId, std::uint32_t notification) {
  if (controlId == kAddress && notification == kStaticClicked) {
    screen_.sound.Beep(kDefaultBeep);
    std::array<char, kTextBuffer> address{};
    host_.LoadText(kAddressString, address);
    host_.OpenFile(address.data());
    return true;
  }
  if (controlId == kAutoUpdate && notification == win::kBnClicked) {
    host_.ShowMessage(kAutoUpdateNoticeString, win::kMbIconInformation);
    ports_.ui.EnableItem(id(), kApply, true);
    return true;
  }
  if (controlId == kApply && notification == win::kBnClicked) {
    ports_.ui.EnableItem(id(), kApply, false);
    Save();
    return true;
  }
  return false;
}

void CVersionDlg::OnOK() {
  ports_.ui.EnableItem(id(), win::kIdOk, false);
  ports_.ui.EnableItem(id(), win::kIdCancel, false);
  Save();
  ports_.ui.EnableItem(id(), win::kIdOk, true);
  ports_.ui.EnableItem(id(), win::kIdCancel, true);
  Dialog::OnOK();
}

void CVersionDlg::Save() {
  const std::uint8_t state = static_cast<std::uint8_t>(ports_.ui.ItemCheck(id(), kAutoUpdate) & 0xFF);
  host_.WriteSettingDword("AutoUpDate", state);
}

std::intptr_t CVersionDlg::WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case win::kWmPaint:
      Paint();
      return 1;
    case win::kWmSetCursor:
      if (static_cast<WindowId>(wParam) == ports_.ui.DialogItem(id(), kAddress) && handCursor_) {
        screen_.cursor.Show(handCursor_->Handle());
        return 1;
      }
      return Dialog::WindowProc(message, wParam, lParam);
    case win::kWmLButtonDown:
      EndDialog(win::kIdCancel);
      return Dialog::WindowProc(message, wParam, lParam);
    default:
      return Dialog::WindowProc(message, wParam, lParam);
  }
}

void CVersionDlg::Paint() {
  const std::unique_ptr<Surface> surface = screen_.drawing.Paint(id());
  const ItemRectangle place = screen_.metrics.MapDialogRect(id(), kIconPlace);
  if (icon_) surface->DrawIcon(place.left, place.top, icon_->Handle());
}

std::intptr_t CVersionDlg::OnCtlColor(std::uintptr_t deviceContext, WindowId control, std::uint32_t message) {
  if (message != win::kWmCtlColorStatic) return 0;
  Drawing& drawing = screen_.drawing;
  const std::unique_ptr<Surface> surface = drawing.OfDeviceContext(deviceContext);
  // What the system's own colouring of a static control would have set.
  surface->SetTextColour(drawing.SystemColour(kSystemWindowTextColour));
  surface->SetBackgroundColour(drawing.SystemColour(kSystemFaceColour));
  if (control == ports_.ui.DialogItem(id(), kDateLabel) || control == ports_.ui.DialogItem(id(), kDescription)) {
    surface->SetTextColour(kRed);
    return static_cast<std::intptr_t>(drawing.NullBrush());
  }
  if (control == ports_.ui.DialogItem(id(), kAddress)) {
    surface->SetTextColour(kBlue);
    surface->SetTransparentBackground();
    return static_cast<std::intptr_t>(drawing.NullBrush());
  }
  return 0;
}

}  // namespace holvara
