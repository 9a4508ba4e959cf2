// A modal dialog built from a numbered template of a resource module. The dialog object sees its
// window's creation (OnCreate, before the initialisation), initialisation, OK, Cancel, commands,
// control colours and destruction, moves its members to and from the controls with
// DoDataExchange, and sees every message of its modal loop first (PreTranslateMessage).
#pragma once

#include <cstdint>

#include "platform/ports/ui.h"
#include "tray/framework/data_exchange.h"
#include "tray/framework/window.h"

namespace holvara::framework {

class Dialog : public Window {
 public:
  Dialog(Ui& ui, int templateId) : Window(ui), templateId_(templateId) {}

  int templateId() const { return templateId_; }

  // Makes the dialog, disables the owner and runs the dialog's own loop until the dialog ends;
  // returns how it ended (IDOK, IDCANCEL, a result of EndDialog), or -1 when it could not be
  // made. The dialog is shown after its initialisation unless it hid itself there, so a dialog
  // that runs hidden is never shown or activated.
  std::intptr_t DoModal(ModuleId module, WindowId owner);

 protected:
  // The dialog's window now exists; -1 ends the dialog before it is initialised.
  virtual int OnCreate();
  // Returns true to let the system set the focus. The standard one loads the controls.
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // A command other than IDOK and IDCANCEL; true when it was handled.
  virtual bool OnCommand(int controlId, std::uint32_t notification);
  virtual void OnDestroy();
  virtual void DoDataExchange(DataExchange& exchange);
  // True when the message is handled and must go no further (not to the dialog's keyboard
  // handling, not to its window).
  virtual bool PreTranslateMessage(const Message& message);
  // WM_CTLCOLORDLG / WM_CTLCOLORSTATIC and the like: the brush to paint with, 0 for the system's.
  virtual std::intptr_t OnCtlColor(std::uintptr_t deviceContext, WindowId control, std::uint32_t message);

  // Exchanges the members with the controls: saving moves control values into the members.
  bool UpdateData(bool saving);
  void EndDialog(std::intptr_t result);
  // Show and place the dialog's window; a dialog that hides itself while it is initialised is not
  // shown by its modal loop.
  void ShowWindow(int command);
  void SetWindowPos(WindowId insertAfter, int x, int y, int width, int height, std::uint32_t flags);

  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  // The system's dialog handling runs for whatever the dialog does not handle.
  std::intptr_t Default(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  void RunModalLoop();

  int templateId_;
  bool inModalLoop_ = false;
  bool hidden_ = false;
  std::intptr_t result_ = 0;
};

}  // namespace holvara::framework
