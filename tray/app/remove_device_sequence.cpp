// The remove-device dialog's sequence and what the dialog asks of the application: the device
// list as its rows show it, the removal of a listed entry that is still what its row showed, and
// the removal guard.
#include "common/text_field.h"
#include "tray/app/holvara_app.h"
#include "tray/app/locale.h"
#include "tray/app/removal_plan.h"
#include "tray/dialogs/remove_device_dlg.h"

namespace holvara {

namespace {

ListedDevice ListedDeviceOf(const DeviceListEntry& entry) {
  return {entry.kind,
          entry.inUnit == 1,
          entry.target,
          std::string(ReadField(entry.driveLetters)),
          std::string(ReadField(entry.displayName)),
          std::string(ReadField(entry.hardwareId)),
          std::string(ReadField(entry.deviceObjectName))};
}

ShownDevice ShownDeviceOf(const RemovalPlan& plan) {
  ShownDevice shown{ListedDeviceOf(plan.entry), {}};
  for (const DeviceListEntry& member : plan.members) shown.members.push_back(ListedDeviceOf(member));
  return shown;
}

}  // namespace

int CHolvaraApp::RemoveDeviceSequence() {
  CRemoveDeviceDlg dialog(DialogPortsOf(), ports_.screen, *this, *this);
  dialog.DoModal(DialogModule(), DialogOwner());
  return 1;
}

std::vector<ListedDevice> CHolvaraApp::ListedDevices() {
  std::vector<ListedDevice> devices;
  for (const DeviceListEntry& entry : EntriesInUse(deviceList_)) devices.push_back(ListedDeviceOf(entry));
  return devices;
}

bool CHolvaraApp::RemoveShownDevice(int index, const ShownDevice& shown) {
  const std::optional<RemovalPlan> plan = PlanRemoval(deviceList_, index);
  if (!plan || !SameDevice(ShownDeviceOf(*plan), shown)) return false;
  RemovePlannedDevices(plan, true);
  return true;
}

std::unique_ptr<NamedMutex> CHolvaraApp::CreateRemovalMutex() {
  MutexCreation created = ports_.mutexes.Create(kRemovalMutexName);
  if (created.alreadyExisted) return nullptr;
  return std::move(created.mutex);
}

bool CHolvaraApp::ShowsJapaneseTexts() { return ShowsJapanese(ports_.system); }

}  // namespace holvara
