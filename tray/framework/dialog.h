// A modal dialog built from a numbered template of a resource module. The dialog object sees its
// window's creation (OnCreate, before the initialisation), initialisation, OK, Cancel, commands
// and destruction, and moves its members to and from the controls with DoDataExchange.
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

  // Runs the dialog and returns how it ended (IDOK, IDCANCEL, a result of EndDialog), or -1 when
  // it could not be made.
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

  // Exchanges the members with the controls: saving moves control values into the members.
  bool UpdateData(bool saving);
  void EndDialog(std::intptr_t result);

  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  // The system's dialog handling runs for whatever the dialog does not handle.
  std::intptr_t Default(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  int templateId_;
};

}  // namespace holvara::framework
