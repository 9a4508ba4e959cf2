// The rescan sequence: the rescan dialog, run modally; its outcome is not shown to the user.
#include "tray/app/busy_markers.h"
#include "tray/app/holvara_app.h"
#include "tray/app/progress_workers.h"
#include "tray/dialogs/rescan_device_dlg.h"

namespace holvara {

void CHolvaraApp::RescanSequence() {
  CRescanDeviceDlg dialog(DialogPortsOf(), *this, MakeRescanWorker(client_));
  dialog.DoModal(DialogModule(), DialogOwner());
}

}  // namespace holvara
