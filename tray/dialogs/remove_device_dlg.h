// The remove-device dialog, the program's main window for the user: the device list with images
// and drive letters, Remove for the marked row, Rescan, Settings, and the logon-start check box.
// It follows every refresh of the device list while it is open, and stays open after a removal;
// only Cancel closes it.
//
// The mark follows its device: a refill marks the row of the device that was marked before (the
// same kind, hardware ID and device object name; a unit with the same members), or no row when
// that device is no longer listed; it never moves to another device. A fill after one that showed
// no device (the first fill, or one of an empty list) marks row 0. Remove is enabled exactly
// while a listed device is marked.
//
// While a removal or a rescan runs from the dialog (their boxes and progress dialogs leave it
// live), it starts nothing else: Remove, Rescan, Settings, the check box and Cancel do nothing,
// and refills keep Remove and Rescan disabled.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/busy_marker_names.h"
#include "platform/ports/list_views.h"
#include "platform/ports/screen_ports.h"
#include "tray/dialogs/busy_marker.h"
#include "tray/dialogs/dialog_host.h"
#include "tray/dialogs/remove_device_host.h"
#include "tray/framework/dialog.h"

namespace holvara {

inline constexpr int kRemoveDeviceDialogTemplate = 107;
inline constexpr char kRemovalMutexName[] = "HolDeviceRemove";
inline constexpr std::uint32_t kListImagesBitmap = 111;

class CRemoveDeviceDlg : public framework::Dialog {
 public:
  static constexpr int kHeading = 1000;
  static constexpr int kAdvice = 1006;
  static constexpr int kDeviceList = 1007;
  static constexpr int kAutoRunBox = 1008;
  static constexpr int kSettingsButton = 1009;
  static constexpr int kRescanButton = 1015;

  // Row images of bitmap 111.
  static constexpr int kSingleDeviceImage = 0;
  static constexpr int kUnitImage = 1;
  static constexpr int kTrayImage = 2;

  CRemoveDeviceDlg(const DialogPorts& ports, const ScreenPorts& screen, DialogHost& host, RemoveDeviceHost& devices);

 protected:
  int OnCreate() override;
  bool OnInitDialog() override;
  // Remove: removes the device or unit of the marked row.
  void OnOK() override;
  // Cancel closes the dialog, except while a removal or rescan runs from it.
  void OnCancel() override;
  bool OnCommand(int controlId, std::uint32_t notification) override;
  void OnDestroy() override;
  void DoDataExchange(framework::DataExchange& exchange) override;
  bool PreTranslateMessage(const Message& message) override;
  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  void SetStaticText(int controlId, std::uint32_t stringId);
  void FillList();
  void InsertColumns();
  void AttachImages();
  void InsertRow(int row, const ListedDevice& device);
  void RemoveMarkedRow();
  void Rescan();
  void StoreAutoRun();
  // The check box and its member show the stored "AutoRun".
  void ShowStoredAutoRun();
  // The selection mark when it marks a listed device, otherwise -1.
  int MarkedRow();
  std::optional<ShownDevice> MarkedDevice();
  // The row that shows this device now, if one does.
  std::optional<int> RowOf(const ShownDevice& device);
  // A refresh while a box or the settings dialog covered this one told only that window; the
  // list is refilled here when the device list no longer matches the rows.
  void RefillIfChanged();
  // Remove while a listed device is marked and Rescan, both only while nothing runs.
  void EnableButtons();
  std::string LoadString(std::uint32_t stringId);

  DialogPorts ports_;
  ScreenPorts screen_;
  DialogHost& host_;
  RemoveDeviceHost& devices_;
  DialogBusyMarker marker_{kRemoveDeviceDialogMarker};
  WindowId list_ = kNoWindow;
  int autoRun_ = 0;
  std::unique_ptr<ImageList> images_;
  // The devices the rows show, in row order.
  std::vector<ListedDevice> rows_;
  // A removal or a rescan runs from this dialog.
  bool busy_ = false;
};

// The list's texts of a device: its first column (a member of a unit names its tray) and the
// drive letters ("E: F: ", or "-" for none).
std::string DeviceColumnText(const ListedDevice& device);
std::string DriveColumnText(std::string_view driveLetters);
int DeviceImage(const ListedDevice& device);

}  // namespace holvara
