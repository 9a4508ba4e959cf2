// The device menu's items for single devices, units and trays in both layouts, the empty list,
// the service-wait menu, the commands the menu can name, and texts too long for their buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tray/frame/device_menu.h"

namespace holvara {
namespace {

const DeviceMenuTexts kTexts{" - Drive", "Remove", "No device"};

DeviceMenuEntry Device(std::string name, std::string letters = "") {
  return {kMenuSingleDevice, false, 0, 0, std::move(letters), std::move(name)};
}
DeviceMenuEntry Unit(std::uint8_t members, std::string name = "[ HOST:1  PORT:3 ]  PORT MULTIPLIER UNIT") {
  return {kMenuUnitHeader, false, 0, members, "", std::move(name)};
}
DeviceMenuEntry Member(std::uint8_t target, std::string name, std::string letters = "") {
  return {kMenuSingleDevice, true, target, 0, std::move(letters), std::move(name)};
}

// Each item as "command:text", a separator as "-".
std::vector<std::string> Shown(const std::vector<DeviceMenuEntry>& entries, bool japanese) {
  std::vector<std::string> shown;
  for (const MenuItem& item : DeviceMenuItems(entries, kTexts, [japanese] { return japanese; })) {
    shown.push_back(item.kind == MenuItem::kSeparator ? "-" : std::to_string(item.command) + ":" + item.text);
  }
  return shown;
}

struct MenuCase {
  const char* name;
  std::vector<DeviceMenuEntry> entries;
  bool japanese;
  std::vector<std::string> shown;
};

class DeviceMenuTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(DeviceMenuTest, ListsTheEntries) { EXPECT_EQ(Shown(GetParam().entries, GetParam().japanese), GetParam().shown); }

INSTANTIATE_TEST_SUITE_P(
    Lists, DeviceMenuTest,
    ::testing::Values(
        MenuCase{"DeviceWithLetters", {Device("Disk", "EF")}, false, {"1001:Remove Disk - Drive (E:)  (F:) "}},
        MenuCase{"DeviceWithLettersJapanese", {Device("Disk", "EF")}, true, {"1001:Disk - Drive (E:)  (F:) Remove"}},
        MenuCase{"DeviceWithoutLetters", {Device("Disk")}, false, {"1001:Remove Disk"}},
        MenuCase{"DeviceWithoutLettersJapanese", {Device("Disk")}, true, {"1001:DiskRemove"}},
        MenuCase{"DeviceUnitDevice",
                 {Device("A"), Unit(2), Member(0, "M0", "G"), Member(1, "M1"), Device("B")},
                 false,
                 {"1001:Remove A", "-", "1002:[ HOST:1  PORT:3 ]  PORT MULTIPLIER UNIT",
                  "1003:Remove [ TRAY:1 ] M0 - Drive (G:) ", "1004:Remove [ TRAY:2 ] M1", "-", "1005:Remove B"}},
        MenuCase{"UnitJapanese",
                 {Unit(1), Member(0, "M0", "G")},
                 true,
                 {"1001:[ HOST:1  PORT:3 ]  PORT MULTIPLIER UNIT", "1002:    [ TRAY:1 ] M0 - Drive (G:) Remove"}},
        MenuCase{"TwoUnitsInARow",
                 {Unit(1, "U1"), Member(0, "M"), Unit(1, "U2"), Member(3, "N")},
                 false,
                 {"1001:U1", "1002:Remove [ TRAY:1 ] M", "-", "1003:U2", "1004:Remove [ TRAY:4 ] N"}},
        MenuCase{"OtherKindsGetNoItem",
                 {Device("A"), DeviceMenuEntry{7}, Device("B")},
                 false,
                 {"1001:Remove A", "1003:Remove B"}},
        MenuCase{"Empty", {}, false, {"0:No device"}}),
    [](const auto& info) { return info.param.name; });

TEST(DeviceMenuItemsTest, TheEmptyListItemIsInsertedAtTheTop) {
  const std::vector<MenuItem> items = DeviceMenuItems({}, kTexts, [] { return false; });
  ASSERT_EQ(items.size(), 1u);
  EXPECT_TRUE(items[0].byPosition);
}

TEST(DeviceMenuItemsTest, TwentyFiveDevicesGiveCommandsUpTo1025) {
  const std::vector<DeviceMenuEntry> entries(25, Device("D"));
  const std::vector<MenuItem> items = DeviceMenuItems(entries, kTexts, [] { return false; });
  ASSERT_EQ(items.size(), 25u);
  EXPECT_EQ(items.back().command, 1025u);
}

TEST(DeviceMenuItemsTest, ATextTooLongForItsBufferIsCut) {
  const std::string name(127, 'N');
  const std::string letters = "DEFGHIJKLMNOPQRSTUVWXYZ";
  for (const bool japanese : {false, true}) {
    const std::vector<MenuItem> items = DeviceMenuItems({{Device(name, letters)}}, kTexts, [&] { return japanese; });
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text.size(), 254u);
    EXPECT_EQ(items[0].text.substr(0, 10), japanese ? "NNNNNNNNNN" : "Remove NNN");
  }
}

TEST(DeviceMenuItemsTest, ACutKeepsWholeDoubleByteCharacters) {
  // 253 single bytes, then a double-byte character that would straddle the end.
  std::string text(253, 'a');
  text += "\x83\x66\x83\x66";
  CutToMenuBuffer(text, true);
  EXPECT_EQ(text, std::string(253, 'a'));
  std::string single(300, 'b');
  CutToMenuBuffer(single, false);
  EXPECT_EQ(single.size(), 254u);
}

TEST(DeviceCommandTest, NamesOnlyEntriesTheMenuShowed) {
  EXPECT_EQ(DeviceCommandEntry(1001, 3), 0u);
  EXPECT_EQ(DeviceCommandEntry(1003, 3), 2u);
  EXPECT_EQ(DeviceCommandEntry(1004, 3), std::nullopt);
  EXPECT_EQ(DeviceCommandEntry(1025, 25), 24u);
  EXPECT_EQ(DeviceCommandEntry(1026, 25), std::nullopt);
  EXPECT_EQ(DeviceCommandEntry(1050, 25), std::nullopt);
  EXPECT_EQ(DeviceCommandEntry(1000, 25), std::nullopt);
  EXPECT_EQ(DeviceCommandEntry(1051, 25), std::nullopt);
}

TEST(ServiceWaitMenuTest, OffersTheInformationAndExit) {
  const std::vector<MenuItem> items = ServiceWaitMenuItems("Waiting", "Exit");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].command, 0u);
  EXPECT_EQ(items[0].text, "Waiting");
  EXPECT_EQ(items[1].command, 57665u);
  EXPECT_EQ(items[1].text, "Exit");
  EXPECT_TRUE(items[0].byPosition && items[1].byPosition);
}

}  // namespace
}  // namespace holvara
