#include "tray/dialogs/config_dlg.h"

#include <array>

#include "common/first_start_settings.h"
#include "platform/ports/control_colours.h"
#include "platform/ports/ui_constants.h"

namespace holvara {

namespace {

// How the program's readers take a stored value: "Show" and "ResumeRescan" count as set when not
// 0 (the icon update, the resume), "SystemMessage" and "Basic" only when 1 (the removal's
// confirmation, the refresh).
enum class SetWhen { kNotZero, kOne };

struct Setting {
  int box;
  const char* name;
  std::uint32_t label;
  std::uint32_t tip;
  SetWhen setWhen;
};

// In the order the tips are added and the values written.
constexpr std::array<Setting, 4> kSettings = {{
    {CConfigDlg::kShowBox, "Show", 34, 40, SetWhen::kNotZero},
    {CConfigDlg::kSystemMessageBox, "SystemMessage", 32, 38, SetWhen::kOne},
    {CConfigDlg::kBasicBox, "Basic", 37, 41, SetWhen::kOne},
    {CConfigDlg::kResumeRescanBox, "ResumeRescan", 33, 39, SetWhen::kNotZero},
}};

constexpr std::uint32_t kTipBackground = Rgb(255, 255, 235);
constexpr std::size_t kTextBuffer = 255;

// The check state of a stored value: a box shows what the program does with the value, so a value
// other than 0 and 1 (written by hand) shows as the setting in force, and OK stores it as 0 or 1
// without counting as a change.
int CheckOf(const Setting& setting, int value) {
  const bool set = setting.setWhen == SetWhen::kOne ? value == 1 : value != 0;
  return set ? win::kBstChecked : win::kBstUnchecked;
}

int StoredCheck(DialogHost& host, const Setting& setting) { return CheckOf(setting, host.ProfileInt(setting.name, 0)); }

}  // namespace

CConfigDlg::CConfigDlg(const DialogPorts& ports, DialogHost& host)
    : Dialog(ports.ui, kConfigDialogTemplate), ports_(ports), host_(host), tooltip_(ports.tooltips, ports.windowWalk) {}

int CConfigDlg::OnCreate() {
  marker_.Set(ports_.ui, host_.MarkerWindow());
  return 0;
}

void CConfigDlg::DoDataExchange(framework::DataExchange& exchange) {
  exchange.Check(kShowBox, show_);
  exchange.Check(kSystemMessageBox, systemMessage_);
  exchange.Check(kBasicBox, basic_);
  exchange.Check(kResumeRescanBox, resumeRescan_);
}

bool CConfigDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  std::array<std::array<char, kTextBuffer>, kSettings.size()> tips{};
  for (std::size_t at = 0; at < kSettings.size(); ++at) host_.LoadText(kSettings[at].tip, tips[at]);
  tooltip_.Create(id(), kTooltipAlwaysTip | kTooltipBalloon);
  tooltip_.SetTipBkColor(kTipBackground);
  for (std::size_t at = 0; at < kSettings.size(); ++at) {
    tooltip_.AddTool(ports_.ui.DialogItem(id(), kSettings[at].box), tips[at].data());
  }
  for (const Setting& setting : kSettings) {
    std::array<char, kTextBuffer> label{};
    host_.LoadText(setting.label, label);
    ports_.ui.SetItemText(id(), setting.box, label.data());
  }
  show_ = StoredCheck(host_, kSettings[0]);
  systemMessage_ = StoredCheck(host_, kSettings[1]);
  basic_ = StoredCheck(host_, kSettings[2]);
  resumeRescan_ = StoredCheck(host_, kSettings[3]);
  showAtOpening_ = show_;
  basicAtOpening_ = basic_;
  UpdateData(false);
  return true;
}

// A button reports focus changes too (with BS_NOTIFY); only a click sets the boxes to the values
// the program's first start writes.
bool CConfigDlg::OnCommand(int controlId, std::uint32_t notification) {
  if (controlId != kDefaultButton || notification != win::kBnClicked) return false;
  for (const Setting& setting : kSettings)
    ports_.ui.SetItemCheck(id(), setting.box, CheckOf(setting, FirstStartValue(setting.name, 0)));
  return true;
}

void CConfigDlg::OnOK() {
  UpdateData(true);
  host_.WriteProfileSetting("Show", show_);
  host_.WriteProfileSetting("SystemMessage", systemMessage_);
  host_.WriteProfileSetting("Basic", basic_);
  host_.WriteProfileSetting("ResumeRescan", resumeRescan_);
  const bool unchanged = show_ == showAtOpening_ && basic_ == basicAtOpening_;
  EndDialog(unchanged ? win::kIdOk : kSettingsListChanged);
}

void CConfigDlg::OnDestroy() { marker_.Remove(ports_.ui, host_.MarkerWindow()); }

}  // namespace holvara
