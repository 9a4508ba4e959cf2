// The settings sequence: the settings dialog, then what its result asks for. A change of "Show"
// or "Basic" changes what the list holds and whether the icon shows, so the bus is rescanned and
// the list rebuilt before the icon is updated; any other confirmed change needs the icon update
// only.
#include "platform/ports/ui_constants.h"
#include "tray/app/busy_markers.h"
#include "tray/app/holvara_app.h"
#include "tray/dialogs/config_dlg.h"
#include "tray/frame/main_frame.h"

namespace holvara {

void CHolvaraApp::SettingsSequence() {
  std::intptr_t result = 0;
  {
    CConfigDlg dialog(DialogPortsOf(), *this);
    result = dialog.DoModal(DialogModule(), DialogOwner());
  }
  if (result != kSettingsListChanged && result != win::kIdOk) return;
  if (result == kSettingsListChanged) {
    RescanSequence();
    RefreshDevices();
  }
  if (auto* frame = dynamic_cast<CMainFrame*>(mainWindow())) frame->UpdateIcon();
}

}  // namespace holvara
