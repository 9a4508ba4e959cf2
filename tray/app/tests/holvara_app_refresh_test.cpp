// The application's device-list refresh on a running program: it reads the settings that the
// first start wrote, asks the service through the pipe, and keeps the list in the application.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/text_field.h"
#include "tray/app/holvara_app.h"
#include "tray/app/tests/sim_tray_pc.h"

namespace holvara {
namespace {

std::vector<std::uint8_t> Value(std::uint32_t value) {
  std::vector<std::uint8_t> bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

TEST(HolvaraAppRefresh, UsesTheFirstStartSettingsAndKeepsTheList) {
  SimTrayPc pc;
  pc.files.SetWindowsDirectory("C:\\Windows");
  std::vector<ServiceRequest> requests;
  pc.kernel.ipc().AttachResponder(kPipeName, kFinishedEventName, [&](const ServiceRequest& request) {
    requests.push_back(request);
    if (request.command == kDEVICE_INFO) {
      DeviceRecord record{};
      record.present = 1;
      record.deviceNumber = static_cast<std::uint8_t>(request.index + 1);
      record.driveType = kDriveFixed;
      CopyToField(record.driveLetters, request.index == 0 ? "C" : "E");
      CopyToField(record.friendlyName, request.index == 0 ? "System Disk" : "Backup Disk");
      CopyToField(record.deviceObjectName, "\\Device\\Scsi\\si3132Port0Path1Target0Lun0");
      const auto* raw = reinterpret_cast<const std::uint8_t*>(&record);
      return std::vector<std::uint8_t>(raw, raw + sizeof record);
    }
    return Value(request.command == kDEVICE_INIT ? 2 : 1);
  });
  CHolvaraApp app(pc.ports(), pc.client());
  ASSERT_TRUE(app.InitInstance());

  EXPECT_EQ(app.RefreshDevices(), 1);

  // First start: "SearchCode" 64 and "Basic" 1, so both disks are checked and the one on the
  // Windows drive is left out.
  ASSERT_GE(requests.size(), 1u);
  EXPECT_EQ(requests[0].searchCode, 64u);
  int basicChecks = 0;
  for (const ServiceRequest& request : requests) basicChecks += request.command == kDEVICE_BASIC;
  EXPECT_EQ(basicChecks, 2);
  EXPECT_EQ(app.deviceList()[0].inUse, 1);
  EXPECT_STREQ(app.deviceList()[0].displayName, "Backup Disk");
  EXPECT_EQ(app.deviceList()[1].inUse, 0);
}

}  // namespace
}  // namespace holvara
