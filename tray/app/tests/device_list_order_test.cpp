#include "tray/app/device_list_order.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/text_field.h"

namespace holvara {
namespace {

using Location = std::tuple<int, int, int>;

StagingTable Staging(const std::vector<Location>& devices) {
  StagingTable staging{};
  for (std::size_t i = 0; i < devices.size(); ++i) {
    StagingSlot& slot = staging[i];
    slot.inUse = 1;
    slot.serviceIndex = static_cast<std::uint8_t>(i);
    std::tie(slot.host, slot.port, slot.target) = devices[i];
    CopyToField(slot.displayName, "Disk " + std::to_string(i));
    CopyToField(slot.driveLetters, "E");
    CopyToField(slot.hardwareId, "SCSI\\DiskVendor");
  }
  return staging;
}

DeviceListTable Build(const std::vector<Location>& devices) {
  DeviceListTable list{};
  OrderDeviceList(Staging(devices), list);
  GroupPortMultiplierUnits(list);
  return list;
}

std::size_t Length(const DeviceListTable& list) {
  std::size_t n = 0;
  while (n < list.size() && list[n].inUse == 1) ++n;
  return n;
}

TEST(DeviceListOrder, SingleDeviceIsNotAUnit) {
  const DeviceListTable list = Build({{0, 1, 0}});
  ASSERT_EQ(Length(list), 1u);
  EXPECT_EQ(list[0].kind, kSingleDevice);
  EXPECT_EQ(list[0].inUnit, 0);
}

TEST(DeviceListOrder, LoneDeviceOnHostZeroPortZeroIsNotGroupedWithTheEmptyEntry) {
  const DeviceListTable list = Build({{0, 0, 0}});
  ASSERT_EQ(Length(list), 1u);
  EXPECT_EQ(list[0].kind, kSingleDevice);
  EXPECT_EQ(list[0].memberCount, 0);
}

TEST(DeviceListOrder, DevicesSharingHostAndPortFormAUnitInTargetOrder) {
  const DeviceListTable list = Build({{0, 2, 1}, {0, 2, 0}});
  ASSERT_EQ(Length(list), 3u);
  EXPECT_EQ(list[0].kind, kUnitHeader);
  EXPECT_STREQ(list[0].displayName, "[ HOST:1  PORT:3 ]  PORT MULTIPLIER UNIT");
  EXPECT_EQ(list[0].memberCount, 2);
  EXPECT_STREQ(list[0].driveLetters, "");
  EXPECT_STREQ(list[0].hardwareId, "");
  EXPECT_EQ(list[0].target, 0);
  EXPECT_EQ(list[0].serviceIndex, 1);  // kept from its first member
  EXPECT_EQ(list[1].target, 0);
  EXPECT_EQ(list[2].target, 1);
  EXPECT_EQ(list[1].inUnit, 1);
  EXPECT_EQ(list[2].inUnit, 1);
}

TEST(DeviceListOrder, DifferentHostsAreOrderedWithoutHeader) {
  const DeviceListTable list = Build({{1, 0, 0}, {0, 0, 0}});
  ASSERT_EQ(Length(list), 2u);
  EXPECT_EQ(list[0].host, 0);
  EXPECT_EQ(list[1].host, 1);
  EXPECT_EQ(list[0].kind, kSingleDevice);
  EXPECT_EQ(list[1].kind, kSingleDevice);
}

TEST(DeviceListOrder, EqualKeysKeepStagingOrderAndValuesOf128AreLeftOut) {
  const DeviceListTable list = Build({{3, 0, 0}, {240, 0, 0}, {3, 0, 0}, {0, 128, 0}});
  ASSERT_EQ(Length(list), 3u);  // a unit header and the two equal devices
  EXPECT_EQ(list[0].kind, kUnitHeader);
  EXPECT_EQ(list[1].serviceIndex, 0);
  EXPECT_EQ(list[2].serviceIndex, 2);
}

TEST(DeviceListOrder, SlotTwentySixIsNeverListed) {
  std::vector<Location> devices;
  for (int i = 0; i < 26; ++i) devices.emplace_back(i, 0, 0);
  const DeviceListTable list = Build(devices);
  EXPECT_EQ(Length(list), 25u);
  EXPECT_EQ(list[24].host, 24);
  EXPECT_EQ(list[25].inUse, 0);
}

TEST(DeviceListOrder, AFullListLosesItsLastDeviceToAUnitHeader) {
  std::vector<Location> devices{{0, 0, 0}, {0, 0, 1}};
  for (int i = 1; i < 24; ++i) devices.emplace_back(i, 0, 0);
  ASSERT_EQ(devices.size(), 25u);
  const DeviceListTable list = Build(devices);
  EXPECT_EQ(Length(list), 25u);
  EXPECT_EQ(list[0].kind, kUnitHeader);
  EXPECT_EQ(list[0].memberCount, 2);
  EXPECT_EQ(list[24].host, 22);  // the device on host 23 fell off the end
  EXPECT_EQ(list[25].inUse, 0);
}

TEST(DeviceListOrder, ConsecutiveUnitsEachGetAHeader) {
  const DeviceListTable list = Build({{0, 1, 1}, {0, 2, 0}, {0, 1, 0}, {0, 2, 1}, {0, 2, 2}});
  ASSERT_EQ(Length(list), 7u);
  EXPECT_EQ(list[0].kind, kUnitHeader);
  EXPECT_EQ(list[0].memberCount, 2);
  EXPECT_EQ(list[3].kind, kUnitHeader);
  EXPECT_EQ(list[3].memberCount, 3);
  EXPECT_STREQ(list[3].displayName, "[ HOST:1  PORT:3 ]  PORT MULTIPLIER UNIT");
}

}  // namespace
}  // namespace holvara
