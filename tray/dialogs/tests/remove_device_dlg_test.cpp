// The remove-device dialog against a scripted application: its rows, images and columns, the
// Remove button with a row that no longer shows its device, the refills, the logon-start box and
// F1. The removal itself and the sequences behind the buttons run on the whole simulated system
// in the application's tests.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "platform/sim/sim_mutexes.h"
#include "platform/sim/sim_resources.h"
#include "tray/dialogs/device_list_notice.h"
#include "tray/dialogs/remove_device_dlg.h"
#include "tray/dialogs/tests/sim_dialog_screen.h"
#include "tray/frame/system_messages.h"
#include "tray/resources/sim_libraries.h"

namespace holvara {
namespace {

constexpr std::uintptr_t kListImagesHandle = (static_cast<std::uintptr_t>('b') << 24) | kListImagesBitmap;

ListedDevice Single(std::string name, std::string letters, std::string object) {
  return {kListedSingleDevice, false, 0, std::move(letters), std::move(name), "SCSI\\DiskVendor", std::move(object)};
}
ListedDevice Unit(std::string name) {
  return {kListedUnit, false, 0, "", std::move(name), "PM\\Unit", "\\Device\\Unit0"};
}
ListedDevice Member(int target, std::string name, std::string letters) {
  return {kListedSingleDevice,
          true,
          static_cast<std::uint8_t>(target),
          std::move(letters),
          std::move(name),
          "SCSI\\DiskMember",
          "\\Device\\Member" + std::to_string(target)};
}

class Application : public DialogHost, public RemoveDeviceHost, public WindowHandler {
 public:
  explicit Application(ResourceLibrary& library) : library_(library) {}

  std::intptr_t HandleMessage(WindowId, std::uint32_t message, std::uintptr_t wParam, std::intptr_t) override {
    if (message == win::kWmDeviceChange) deviceChanges.push_back(wParam);
    return message == win::kWmNcCreate ? 1 : 0;
  }

  WindowId MarkerWindow() override { return window; }
  int LoadText(std::uint32_t stringId, std::span<char> buffer) override { return library_.String(stringId, buffer); }
  int ProfileInt(const char* name, int defaultValue) override {
    return std::string_view(name) == "AutoRun" ? autoRun : defaultValue;
  }
  void WriteProfileSetting(const char* name, int value) override {
    if (std::string_view(name) == "AutoRun") autoRun = value;
  }
  void KeepRunningWorker(std::unique_ptr<Thread>) override {}

  std::vector<ListedDevice> ListedDevices() override { return devices; }
  bool RemoveShownDevice(int index, const ShownDevice& shown) override {
    const auto at = static_cast<std::size_t>(index);
    if (at >= devices.size() || !SameDevice(ShownDeviceAt(devices, at), shown)) return false;
    removed.push_back(index);
    mutexHeldDuringRemoval = mutexes.Exists(kRemovalMutexName);
    if (whileRemoving) whileRemoving();
    devices.erase(devices.begin() + index);
    return true;
  }
  void RescanSequence() override {
    calls.push_back("rescan");
    if (whileRescanning) whileRescanning();
  }
  int RefreshDevices() override {
    calls.push_back("refresh");
    return 1;
  }
  void SettingsSequence() override {
    calls.push_back("settings");
    if (whileSettingsShown) whileSettingsShown();
  }
  void OpenHelp() override { calls.push_back("help"); }
  void Sleep(std::uint32_t ms) override { calls.push_back("sleep " + std::to_string(ms)); }
  int ShowMessage(std::uint32_t stringId, std::uint32_t style) override {
    messages.push_back({stringId, style});
    return win::kIdOk;
  }
  ResourceLibrary& Resources() override { return library_; }
  std::unique_ptr<NamedMutex> CreateRemovalMutex() override {
    MutexCreation created = mutexes.Create(kRemovalMutexName);
    return created.alreadyExisted ? nullptr : std::move(created.mutex);
  }
  bool ShowsJapaneseTexts() override { return japanese; }

  WindowId window = kNoWindow;
  std::vector<ListedDevice> devices;
  int autoRun = 0;
  bool japanese = false;
  SimMutexes mutexes;
  std::vector<int> removed;
  bool mutexHeldDuringRemoval = false;
  std::vector<std::string> calls;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> messages;
  std::vector<std::uintptr_t> deviceChanges;
  std::function<void()> whileSettingsShown;
  std::function<void()> whileRemoving;
  std::function<void()> whileRescanning;

 private:
  ResourceLibrary& library_;
};

class RemoveDeviceDialogTest : public testing::Test, protected SimDialogScreen {
 protected:
  RemoveDeviceDialogTest() {
    loader.Install(EnglishResourceLibrary());
    library = loader.Load("HolvaraResUS.dll");
    app = std::make_unique<Application>(*library);
    app->window = desktop.Create({}, *app);
  }
  ~RemoveDeviceDialogTest() override { desktop.Destroy(app->window); }

  // Opens the dialog, hands it to the user's actions once it is initialised, and closes it with
  // Cancel once it has handled what they posted to it.
  void Run(const std::function<void(WindowId dialog)>& user) {
    desktop.OnNextDialog(kRemoveDeviceDialogTemplate, [&](WindowId dialog) {
      list = desktop.DialogItem(dialog, CRemoveDeviceDlg::kDeviceList);
      if (user) user(dialog);
      desktop.Post(dialog, win::kWmCommand, win::kIdCancel, 0);
    });
    CRemoveDeviceDlg dialog(dialogPorts(), screen.ports(), *app, *app);
    EXPECT_EQ(dialog.DoModal(library->Module(), app->window), win::kIdCancel);
    EXPECT_TRUE(desktop.cancelledDialogs().empty());
  }
  const SimListView& List() { return screen.listViews.List(list); }
  // Lets the dialog handle what was posted to it, as its loop would before the user's next step.
  void Settle() { desktop.RunMessageLoop(); }
  bool Enabled(WindowId dialog, int id) { return desktop.ItemEnabled(dialog, id); }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (const SimListRow& row : List().rows)
      texts.push_back(row.texts.size() > static_cast<std::size_t>(column) ? row.texts[column] : "");
    return texts;
  }
  std::vector<std::optional<int>> Images() {
    std::vector<std::optional<int>> images;
    for (const SimListRow& row : List().rows) images.push_back(row.image);
    return images;
  }

  SimResourceLoader loader;
  std::unique_ptr<ResourceLibrary> library;
  std::unique_ptr<Application> app;
  WindowId list = kNoWindow;
};

TEST_F(RemoveDeviceDialogTest, RowsShowDevicesUnitsAndTraysWithTheirImagesAndLetters) {
  app->devices = {Single("Optical Drive", "E", "\\Device\\Cd0"), Unit("Port Multiplier Unit"),
                  Member(0, "Disk A", "FG"), Member(3, "Disk B", "")};
  std::string caption, heading, autoRunLabel;
  bool removeEnabled = false;
  Run([&](WindowId dialog) {
    caption = desktop.Title(dialog);
    heading = desktop.ItemText(dialog, CRemoveDeviceDlg::kHeading);
    autoRunLabel = desktop.ItemText(dialog, CRemoveDeviceDlg::kAutoRunBox);
    removeEnabled = desktop.ItemEnabled(dialog, win::kIdOk);
  });

  EXPECT_EQ(caption, "Safely Remove Hardware");
  EXPECT_EQ(heading, "Select the device you want to remove, then click Remove.");
  EXPECT_EQ(autoRunLabel, "Start automatically when I log on");
  EXPECT_TRUE(removeEnabled);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Optical Drive", "Port Multiplier Unit", "[ TRAY:1 ] Disk A",
                                                 "[ TRAY:4 ] Disk B"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"E: ", "-", "F: G: ", "-"}));
  EXPECT_EQ(Images(), (std::vector<std::optional<int>>{0, 1, 2, 2}));
  EXPECT_EQ(List().selectionMark, 0);
  EXPECT_EQ(List().focused, 0);
  EXPECT_TRUE(List().extendedStyle & kLvsExFullRowSelect);
  ASSERT_NE(List().smallImages, nullptr);
  EXPECT_EQ(List().smallImages->strips, std::vector<std::uintptr_t>{kListImagesHandle});
  EXPECT_EQ(List().smallImages->maskColour, 0u);
}

TEST_F(RemoveDeviceDialogTest, AnEmptyListShowsOneTextRowAndNothingCanBeRemoved) {
  bool removeEnabled = true, rescanEnabled = false;
  Run([&](WindowId dialog) {
    removeEnabled = desktop.ItemEnabled(dialog, win::kIdOk);
    rescanEnabled = desktop.ItemEnabled(dialog, CRemoveDeviceDlg::kRescanButton);
    desktop.ClickItem(dialog, win::kIdOk);
  });

  EXPECT_FALSE(removeEnabled);
  EXPECT_TRUE(rescanEnabled);
  ASSERT_EQ(List().rows.size(), 1u);
  EXPECT_EQ(List().rows[0].texts, std::vector<std::string>{"No removable device is connected"});
  EXPECT_EQ(List().rows[0].image, std::nullopt);
  EXPECT_TRUE(app->removed.empty());
}

TEST_F(RemoveDeviceDialogTest, ColumnsAreSizedByLanguageAndScaledWithTheDisplay) {
  struct Case {
    bool japanese;
    int dpi;
    int deviceWidth, driveWidth, imageSize;
  };
  for (const Case& c : {Case{false, 96, 300, 90, 16}, Case{true, 96, 350, 90, 16}, Case{false, 192, 600, 180, 32},
                        Case{true, 144, 525, 135, 24}}) {
    app->japanese = c.japanese;
    screen.metrics.dpi = c.dpi;
    app->devices = {Single("Disk", "E", "\\Device\\Disk0")};
    Run({});
    ASSERT_EQ(List().columns.size(), 2u);
    EXPECT_EQ(List().columns[0].header, "Device");
    EXPECT_EQ(List().columns[0].format, kLvcfmtCenter);
    EXPECT_EQ(List().columns[0].width, c.deviceWidth) << c.japanese << " " << c.dpi;
    EXPECT_EQ(List().columns[1].header, "Drive");
    EXPECT_EQ(List().columns[1].width, c.driveWidth) << c.dpi;
    EXPECT_EQ(List().smallImages->width, c.imageSize) << c.dpi;
  }
}

TEST_F(RemoveDeviceDialogTest, AFullListShowsTwentyFiveRowsAndEachRefillStartsAfresh) {
  for (int i = 0; i < 25; ++i)
    app->devices.push_back(Single("Disk " + std::to_string(i), "", "\\Device\\D" + std::to_string(i)));
  Run([&](WindowId dialog) {
    desktop.Post(dialog, kDeviceListChangedMessage, 0, 0);
    desktop.Post(dialog, kDeviceListChangedMessage, 0, 0);
  });
  EXPECT_EQ(List().rows.size(), 25u);
  EXPECT_EQ(List().columns.size(), 2u);
  EXPECT_EQ(screen.listViews.imageLists().size(), 1u) << "the image list is made once per window";
  EXPECT_EQ(screen.listViews.imageListsAlive(), 0u) << "and destroyed with it";
}

TEST_F(RemoveDeviceDialogTest, RemoveTakesTheMarkedRowUnderTheGuardAndRefills) {
  app->devices = {Single("Disk A", "E", "\\Device\\A"), Single("Disk B", "F", "\\Device\\B")};
  std::vector<std::string> rowsAfter;
  bool removeEnabledAfter = true, rescanEnabledAfter = false;
  std::string markerWhileOpen;
  Run([&](WindowId dialog) {
    markerWhileOpen = desktop.Property(app->window, kRemoveDeviceDialogMarker) == 1 ? "set" : "";
    screen.listViews.ClickRow(list, 1);
    desktop.ClickItem(dialog, win::kIdOk);
    rowsAfter = Column(0);
    removeEnabledAfter = Enabled(dialog, win::kIdOk);
    rescanEnabledAfter = Enabled(dialog, CRemoveDeviceDlg::kRescanButton);
  });

  EXPECT_EQ(app->removed, std::vector<int>{1});
  EXPECT_TRUE(app->mutexHeldDuringRemoval);
  EXPECT_FALSE(app->mutexes.Exists(kRemovalMutexName));
  EXPECT_EQ(app->deviceChanges, std::vector<std::uintptr_t>{win::kDbtDevNodesChanged});
  EXPECT_EQ(rowsAfter, std::vector<std::string>{"Disk A"});
  EXPECT_FALSE(removeEnabledAfter) << "the removed device took its mark along";
  EXPECT_EQ(List().selectionMark, -1);
  EXPECT_TRUE(rescanEnabledAfter);
  EXPECT_EQ(markerWhileOpen, "set");
  EXPECT_EQ(desktop.Property(app->window, kRemoveDeviceDialogMarker), 0u);
}

TEST_F(RemoveDeviceDialogTest, ARemovalGoesAheadWhenTheGuardExistsAlready) {
  app->devices = {Single("Disk A", "E", "\\Device\\A")};
  MutexCreation other = app->mutexes.Create(kRemovalMutexName);
  Run([&](WindowId dialog) { desktop.ClickItem(dialog, win::kIdOk); });
  EXPECT_EQ(app->removed, std::vector<int>{0});
  EXPECT_TRUE(app->mutexes.Exists(kRemovalMutexName)) << "the other holder's handle stays open";
}

// The list was rebuilt after the dialog filled it (its notice had not arrived yet): the marked row
// no longer shows the device the user chose. The refill marks that device where it is now, or
// nothing, and Remove is enabled only with a mark.
TEST_F(RemoveDeviceDialogTest, ARowThatNoLongerShowsItsDeviceRemovesNothingAndRefills) {
  struct Case {
    const char* what;
    std::vector<ListedDevice> rebuilt;
    int markAfter;
    bool removeEnabled;
  };
  const ListedDevice a = Single("Disk A", "E", "\\Device\\A");
  const ListedDevice b = Single("Disk B", "F", "\\Device\\B");
  ListedDevice bOtherObject = b;
  bOtherObject.deviceObjectName = "\\Device\\B2";
  ListedDevice bOtherHardware = b;
  bOtherHardware.hardwareId = "SCSI\\Other";
  ListedDevice bAsUnit = b;
  bAsUnit.kind = kListedUnit;
  for (const Case& c : {Case{"row gone", {a}, -1, false}, Case{"list emptied: its text row is marked", {}, 0, false},
                        Case{"another device at the row, the marked one moved up", {b, a}, 0, true},
                        Case{"same name, other device object", {a, bOtherObject}, -1, false},
                        Case{"same name, other hardware", {a, bOtherHardware}, -1, false},
                        Case{"same names, other kind", {a, bAsUnit}, -1, false}}) {
    app->devices = {a, b};
    app->removed.clear();
    std::vector<std::string> rowsAfter;
    bool removeEnabled = false;
    Run([&](WindowId dialog) {
      screen.listViews.ClickRow(list, 1);
      app->devices = c.rebuilt;
      desktop.ClickItem(dialog, win::kIdOk);
      rowsAfter = Column(0);
      removeEnabled = Enabled(dialog, win::kIdOk);
    });
    EXPECT_TRUE(app->removed.empty()) << c.what;
    EXPECT_TRUE(app->deviceChanges.empty()) << c.what;
    std::vector<std::string> expected;
    for (const ListedDevice& device : c.rebuilt) expected.push_back(device.displayName);
    if (expected.empty()) expected.push_back("No removable device is connected");
    EXPECT_EQ(rowsAfter, expected) << c.what;
    EXPECT_EQ(List().selectionMark, c.markAfter) << c.what;
    EXPECT_EQ(removeEnabled, c.removeEnabled) << c.what;
  }
}

// A refill (every device-list notice, whatever changed anywhere) keeps the mark on the device the
// user marked; when that device is gone nothing is marked, Remove waits for the user to mark
// another, and the mark is never moved to another device.
TEST_F(RemoveDeviceDialogTest, ARefillKeepsTheMarkOnItsDeviceOrMarksNothing) {
  const ListedDevice a = Single("Disk A", "E", "\\Device\\A");
  const ListedDevice b = Single("Disk B", "F", "\\Device\\B");
  const ListedDevice c = Single("Disk C", "G", "\\Device\\C");
  const ListedDevice d = Single("Disk D", "H", "\\Device\\D");
  ListedDevice bLettered = b;
  bLettered.driveLetters = "FK";
  const ListedDevice unit = Unit("Unit");
  const ListedDevice m0 = Member(0, "Disk 0", ""), m1 = Member(1, "Disk 1", ""), m2 = Member(2, "Disk 2", "");
  struct Case {
    const char* what;
    std::vector<ListedDevice> before;
    int marked;
    std::vector<ListedDevice> after;
    int markAfter;
  };
  const std::vector<Case> cases = {
      {"unchanged list", {a, b, c}, 2, {a, b, c}, 2},
      {"a device listed before it", {a, b, c}, 2, {d, a, b, c}, 3},
      {"its drive letters changed", {a, b, c}, 1, {a, bLettered, c}, 1},
      {"the marked device left", {a, b, c}, 1, {a, c}, -1},
      {"another device at its row", {a, b}, 1, {a, d}, -1},
      {"a unit that gained a member", {unit, m0, m1, a}, 0, {unit, m0, m1, m2, a}, -1},
      {"a unit that lost a member", {unit, m0, m1, a}, 0, {unit, m1, a}, -1},
      {"a unit with the same members, moved", {a, unit, m0, m1}, 1, {unit, m0, m1}, 0},
      {"a member of a unit", {unit, m0, m1}, 2, {unit, m0, m2, m1}, 3},
  };
  for (const Case& t : cases) {
    app->devices = t.before;
    app->removed.clear();
    int markAfter = -2, selectedAfter = -2, focusedAfter = -2;
    bool removeEnabledAfter = false, removeEnabledOnceMarked = false;
    Run([&](WindowId dialog) {
      screen.listViews.ClickRow(list, t.marked);
      Settle();
      app->devices = t.after;
      desktop.Send(dialog, kDeviceListChangedMessage, 0, 0);
      markAfter = List().selectionMark;
      selectedAfter = List().selected;
      focusedAfter = List().focused;
      removeEnabledAfter = Enabled(dialog, win::kIdOk);
      // Enter on a disabled Remove reaches the dialog on no system; a command that does removes
      // nothing without a mark.
      desktop.Send(dialog, win::kWmCommand, win::kIdOk, 0);
      if (t.markAfter < 0) {
        screen.listViews.ClickRow(list, 0);
        Settle();
        removeEnabledOnceMarked = Enabled(dialog, win::kIdOk);
      }
    });
    EXPECT_EQ(markAfter, t.markAfter) << t.what;
    EXPECT_EQ(selectedAfter, t.markAfter) << t.what;
    EXPECT_EQ(focusedAfter, t.markAfter) << t.what;
    EXPECT_EQ(removeEnabledAfter, t.markAfter >= 0) << t.what;
    if (t.markAfter >= 0) {
      EXPECT_EQ(app->removed, std::vector<int>{t.markAfter}) << t.what << ": the device the user marked";
    } else {
      EXPECT_TRUE(app->removed.empty()) << t.what;
      EXPECT_TRUE(removeEnabledOnceMarked) << t.what << ": the user marked a device";
    }
  }
}

TEST_F(RemoveDeviceDialogTest, WithoutASelectionMarkRemoveStartsNothing) {
  app->devices = {Single("Disk A", "E", "\\Device\\A")};
  Run([&](WindowId dialog) {
    screen.listViews.ClearSelectionMark(list);
    desktop.ClickItem(dialog, win::kIdOk);
  });
  EXPECT_TRUE(app->removed.empty());
  EXPECT_TRUE(app->deviceChanges.empty());
}

// The removal's boxes and the rescan's progress dialog leave this dialog live: a notice refills it
// and the user can click every control. Nothing else starts, Cancel does not close it, the refill
// keeps Remove and Rescan disabled, and the box keeps showing what is stored.
TEST_F(RemoveDeviceDialogTest, WhileARemovalOrARescanRunsTheDialogStartsNothingElse) {
  struct Case {
    const char* what;
    int button;
    std::vector<int> removed;
    std::vector<std::string> calls;
  };
  const ListedDevice a = Single("Disk A", "E", "\\Device\\A");
  const ListedDevice b = Single("Disk B", "F", "\\Device\\B");
  for (const Case& c : {Case{"removal", win::kIdOk, {0}, {}},
                        Case{"rescan", CRemoveDeviceDlg::kRescanButton, {}, {"rescan", "sleep 500", "refresh"}}}) {
    app->devices = {a, b};
    app->removed.clear();
    app->calls.clear();
    app->autoRun = 1;
    app->messages.clear();
    std::vector<bool> enabledDuring;
    std::vector<std::string> rowsDuring;
    int boxDuring = -1;
    bool inside = false;
    const std::function<void()> tryEverything = [&] {
      if (std::exchange(inside, true)) return;
      const WindowId dialog = desktop.Owner(list);
      app->devices = {a, b, Single("Disk C", "G", "\\Device\\C")};
      desktop.Send(dialog, kDeviceListChangedMessage, 0, 0);
      rowsDuring = Column(0);
      enabledDuring = {Enabled(dialog, win::kIdOk), Enabled(dialog, CRemoveDeviceDlg::kRescanButton)};
      for (const int button : {win::kIdOk, static_cast<int>(CRemoveDeviceDlg::kRescanButton),
                               static_cast<int>(CRemoveDeviceDlg::kSettingsButton),
                               static_cast<int>(CRemoveDeviceDlg::kAutoRunBox), static_cast<int>(win::kIdCancel)}) {
        desktop.Send(dialog, win::kWmCommand, static_cast<std::uintptr_t>(button) | (win::kBnClicked << 16), 0);
      }
      desktop.ClickItem(dialog, CRemoveDeviceDlg::kAutoRunBox);
      boxDuring = desktop.ItemCheck(dialog, CRemoveDeviceDlg::kAutoRunBox);
      inside = false;
    };
    app->whileRemoving = app->whileRescanning = tryEverything;
    Run([&](WindowId dialog) {
      desktop.ClickItem(dialog, c.button);
      // Handled only by a dialog still open: a Cancel during the run would have ended it.
      desktop.Post(dialog, win::kWmCommand, CRemoveDeviceDlg::kAutoRunBox | (win::kBnClicked << 16), 0);
    });
    app->whileRemoving = app->whileRescanning = {};

    EXPECT_EQ(rowsDuring, (std::vector<std::string>{"Disk A", "Disk B", "Disk C"})) << c.what;
    EXPECT_EQ(enabledDuring, (std::vector<bool>{false, false})) << c.what;
    EXPECT_EQ(app->removed, c.removed) << c.what;
    EXPECT_EQ(app->calls, c.calls) << c.what;
    EXPECT_EQ(app->autoRun, 1) << c.what;
    EXPECT_EQ(boxDuring, 1) << c.what;
    EXPECT_EQ(app->messages.size(), 1u) << c.what << ": only the click after the run was taken";
  }
}

// Every click is stored at once with its notice, and a refill between clicks (any device-list
// notice) leaves the box showing what is stored.
TEST_F(RemoveDeviceDialogTest, TheLogonStartBoxIsStoredAtEachClickAndShowsWhatIsStored) {
  app->autoRun = 1;
  app->devices = {Single("Disk A", "E", "\\Device\\A")};
  std::vector<int> shown, stored;
  Run([&](WindowId dialog) {
    const auto look = [&] {
      desktop.Send(dialog, kDeviceListChangedMessage, 0, 0);
      shown.push_back(desktop.ItemCheck(dialog, CRemoveDeviceDlg::kAutoRunBox));
      stored.push_back(app->autoRun);
    };
    look();
    desktop.ClickItem(dialog, CRemoveDeviceDlg::kAutoRunBox);
    look();
    desktop.ClickItem(dialog, CRemoveDeviceDlg::kAutoRunBox);
    look();
    app->autoRun = 0;  // stored meanwhile by another copy of the dialog
    look();
  });
  EXPECT_EQ(shown, (std::vector<int>{1, 0, 1, 0}));
  EXPECT_EQ(stored, (std::vector<int>{1, 0, 1, 0}));
  const std::pair<std::uint32_t, std::uint32_t> notice{20, win::kMbIconInformation};
  EXPECT_EQ(app->messages, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{notice, notice}));
}

// The list-changed notice goes to the last active popup only: while the settings dialog covers
// this one, a refresh tells the settings dialog.
TEST_F(RemoveDeviceDialogTest, AListRebuiltWhileTheSettingsDialogCoveredItIsShownAfterwards) {
  app->devices = {Single("Disk A", "E", "\\Device\\A")};
  app->whileSettingsShown = [&] { app->devices.push_back(Single("Disk B", "F", "\\Device\\B")); };
  std::vector<std::string> rowsAfter;
  Run([&](WindowId dialog) {
    desktop.ClickItem(dialog, CRemoveDeviceDlg::kSettingsButton);
    rowsAfter = Column(0);
  });
  EXPECT_EQ(app->calls, std::vector<std::string>{"settings"});
  EXPECT_EQ(rowsAfter, (std::vector<std::string>{"Disk A", "Disk B"}));
}

TEST_F(RemoveDeviceDialogTest, F1OpensTheHelpAndGoesOnToTheDialog) {
  Run([&](WindowId dialog) {
    desktop.Post(dialog, win::kWmKeyDown, win::kVkF1, 0);
    desktop.Post(dialog, win::kWmSysKeyDown, win::kVkF1, 0);
    desktop.Post(dialog, win::kWmKeyDown, win::kVkF4, 0);
  });
  EXPECT_EQ(app->calls, (std::vector<std::string>{"help", "help"}));
}

}  // namespace
}  // namespace holvara
