// The about box: the program's version and legal notice from its own version block, texts of the
// resource library, the support address that opens with the shell, and the program's icon. In
// the compact layout the program uses it has no buttons and closes at a click on its surface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ports/resources.h"
#include "platform/ports/screen_ports.h"
#include "tray/dialogs/dialog_host.h"
#include "tray/dialogs/version_host.h"
#include "tray/framework/dialog.h"

namespace holvara {

inline constexpr int kVersionDialogTemplate = 106;
inline constexpr char kProgramFileName[] = "Holvara.exe";
inline constexpr char kFileVersionPath[] = "\\StringFileInfo\\041104b0\\FileVersion";
inline constexpr char kLegalCopyrightPath[] = "\\StringFileInfo\\041104b0\\LegalCopyright";

namespace version_dialog {
inline constexpr int kVersionLine = 1000;
inline constexpr int kDateLabel = 1001;
inline constexpr int kAddress = 1002;
inline constexpr int kDate = 1003;
inline constexpr int kLegalNotice = 1006;
inline constexpr int kUpdateList = 1007;
inline constexpr int kAutoUpdate = 1008;
inline constexpr int kApply = 1009;
inline constexpr int kDescription = 1011;
}  // namespace version_dialog

class CVersionDlg : public framework::Dialog {
 public:
  CVersionDlg(const DialogPorts& ports, const ScreenPorts& screen, VersionHost& host);

 protected:
  int OnCreate() override;
  bool OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(int controlId, std::uint32_t notification) override;
  void OnDestroy() override;
  void DoDataExchange(framework::DataExchange& exchange) override;
  std::intptr_t OnCtlColor(std::uintptr_t deviceContext, WindowId control, std::uint32_t message) override;
  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  void FillTexts();
  void FillVersionTexts();
  void LoadCheckBox();
  void ChooseLayout();
  void ApplyCompactLayout();
  void Save();
  void Paint();

  DialogPorts ports_;
  ScreenPorts screen_;
  VersionHost& host_;
  std::unique_ptr<ResourceImage> icon_;
  std::unique_ptr<ResourceImage> handCursor_;
  WindowId updateList_ = kNoWindow;
  WindowId autoUpdate_ = kNoWindow;
  WindowId address_ = kNoWindow;
  WindowId dateLabel_ = kNoWindow;
  WindowId date_ = kNoWindow;
  WindowId apply_ = kNoWindow;
  WindowId ok_ = kNoWindow;
  WindowId cancel_ = kNoWindow;
};

// The number the layout decision reads from the start of the version line: its first four
// characters as a decimal number, 0 when they do not begin with one.
float LeadingVersionNumber(const std::string& versionLine);

}  // namespace holvara
