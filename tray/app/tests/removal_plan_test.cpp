// The removal plan: which entries can be removed, what is copied, and the request it sends.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/text_field.h"
#include "tray/app/removal_plan.h"

namespace holvara {
namespace {

DeviceListEntry Device(std::uint8_t serviceIndex, const char* name) {
  DeviceListEntry entry{};
  entry.inUse = 1;
  entry.kind = kSingleDevice;
  entry.serviceIndex = serviceIndex;
  CopyToField(entry.displayName, name);
  CopyToField(entry.hardwareId, std::string("SCSI\\Disk") + name);
  CopyToField(entry.deviceObjectName, std::string("\\Device\\Scsi\\si3132Port0Path1Target") + name);
  return entry;
}

DeviceListEntry Unit(std::uint8_t members) {
  DeviceListEntry entry{};
  entry.inUse = 1;
  entry.kind = kUnitHeader;
  entry.memberCount = members;
  return entry;
}

TEST(RemovalPlan, RefusesWhatCannotBeRemoved) {
  DeviceListTable list{};
  list[0] = Device(1, "A");
  list[1] = Unit(0);
  list[2] = Device(2, "B");
  list[2].kind = 1;
  list[24] = Unit(2);  // its members would lie beyond the list
  list[23] = Device(3, "C");
  list[22] = Device(4, "D");
  struct Case {
    int index;
    const char* why;
  };
  for (const Case& c : {Case{-1, "negative index"}, Case{25, "index past the list"}, Case{300, "large index"},
                        Case{1, "unit without members"}, Case{2, "unknown kind"}, Case{3, "entry not in use"},
                        Case{24, "members past the end"}}) {
    EXPECT_FALSE(PlanRemoval(list, c.index).has_value()) << c.why;
  }
}

TEST(RemovalPlan, CopiesTheEntryAndAUnitsMembers) {
  DeviceListTable list{};
  list[0] = Device(5, "A");
  list[1] = Unit(2);
  list[2] = Device(6, "B");
  list[3] = Device(7, "C");
  list[4] = Device(8, "D");

  const auto single = PlanRemoval(list, 0);
  ASSERT_TRUE(single.has_value());
  EXPECT_FALSE(single->IsUnit());
  EXPECT_TRUE(single->members.empty());

  const auto unit = PlanRemoval(list, 1);
  ASSERT_TRUE(unit.has_value());
  EXPECT_TRUE(unit->IsUnit());
  ASSERT_EQ(unit->members.size(), 2u);
  // A copy: rebuilding the list afterwards does not reach the plan.
  list[2] = Device(9, "X");
  EXPECT_STREQ(unit->members[0].displayName, "B");
  EXPECT_STREQ(unit->members[1].displayName, "C");
}

TEST(RemovalPlan, RequestCarriesTheDeviceAndNothingElse) {
  DeviceListEntry entry = Device(0xAB, "A");
  const ServiceRequest request = MakeRemovalRequest(entry);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&request);
  std::uint32_t command = 0;
  std::memcpy(&command, bytes, 4);
  EXPECT_EQ(command, 3u);
  EXPECT_EQ(bytes[8], 0xAB);
  EXPECT_EQ(bytes[9], 0);
  for (int offset : {4, 5, 6, 7, 10, 11, 12, 13, 14, 15}) EXPECT_EQ(bytes[offset], 0) << offset;
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 16), "SCSI\\DiskA");
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 80), "\\Device\\Scsi\\si3132Port0Path1TargetA");
  EXPECT_EQ(bytes[80 + std::strlen("\\Device\\Scsi\\si3132Port0Path1TargetA") + 1], 0);

  // Texts longer than the request's fields are cut and still end with a NUL.
  std::memset(entry.hardwareId, 'H', sizeof entry.hardwareId - 1);
  std::memset(entry.deviceObjectName, 'N', sizeof entry.deviceObjectName - 1);
  const ServiceRequest cut = MakeRemovalRequest(entry);
  EXPECT_EQ(ReadField(cut.hardwareId).size(), 63u);
  EXPECT_EQ(ReadField(cut.deviceObjectName).size(), 127u);
}

}  // namespace
}  // namespace holvara
