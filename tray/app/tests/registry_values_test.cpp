// The registry value reader and writer and the named-mutex routines.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/sim/sim_mutexes.h"
#include "platform/sim/sim_registry.h"
#include "tray/app/named_mutex.h"
#include "tray/app/registry_values.h"

namespace holvara {
namespace {

constexpr char kKey[] = "Software\\ZELTO\\Holvara\\Common";
constexpr auto kUser = RegistryRoot::kCurrentUser;

class ReaderTest : public ::testing::Test {
 protected:
  long Read(const char* name, std::span<std::uint8_t> out) {
    return ReadRegistryValue(registry, kUser, kKey, name, out);
  }
  SimRegistry registry;
};

struct DateCase {
  const char* name;
  std::string stored;
  std::string read;
};

class DateTest : public ReaderTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(DateTest, ADateReadsOnlyWhenItFitsSixteenBytes) {
  registry.SetDword(kUser, kKey, "AutoUpDate", 1);
  registry.SetString(kUser, kKey, "Date", GetParam().stored);
  std::array<std::uint8_t, 16> date{};
  EXPECT_EQ(Read("Date", date), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(date.data())), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Cases, DateTest,
                         ::testing::Values(DateCase{"Fifteen", "2009/04/01 12:3", "2009/04/01 12:3"},
                                           DateCase{"Short", "2009/04/01", "2009/04/01"},
                                           DateCase{"Sixteen", "2009/04/01 12:34", ""},
                                           DateCase{"Longer", "2009/04/01 12:34:56", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReaderTest, NamesCompareExactly) {
  registry.SetDword(kUser, kKey, "autoupdate", 1);
  std::array<std::uint8_t, 4> value{};
  EXPECT_EQ(Read("AutoUpDate", value), 0);
  EXPECT_EQ(value[0], 0);
  registry.SetDword(kUser, kKey, "AutoUpDate", 0x0101);  // the same value, now under this spelling
  EXPECT_EQ(Read("AutoUpDate", value), 0);
  EXPECT_EQ(value[0], 1);
  EXPECT_EQ(value[1], 1);
}

TEST_F(ReaderTest, AMissingKeyReportsItsErrorAndLeavesTheBuffer) {
  std::array<std::uint8_t, 4> value{7, 7, 7, 7};
  EXPECT_EQ(Read("AutoUpDate", value), reg::kFileNotFound);
  EXPECT_EQ(value[0], 7);
}

TEST_F(ReaderTest, AShortMatchBringsNoBytesOfAnEarlierValue) {
  registry.SetString(kUser, kKey, "Other", "ABCDEFGHIJKLMN");
  registry.SetString(kUser, kKey, "Date", "xy");
  std::array<std::uint8_t, 16> date{};
  Read("Date", date);
  EXPECT_EQ(std::string(date.begin(), date.end()), std::string("xy") + std::string(14, '\0'));
}

// A key whose enumeration fails for good, as a key deleted by another program does.
class BrokenKey : public RegistryKey {
 public:
  explicit BrokenKey(int& calls) : calls_(calls) {}
  long EnumValue(std::uint32_t, std::uint32_t, std::span<std::uint8_t>, EnumeratedValue&) override {
    ++calls_;
    return 1018;  // ERROR_KEY_DELETED
  }
  long QueryValue(std::string_view, std::uint32_t&, std::vector<std::uint8_t>&) override { return 1018; }
  long SetValue(std::string_view, std::uint32_t, std::span<const std::uint8_t>) override { return 1018; }

 private:
  int& calls_;
};

class BrokenRegistry : public Registry {
 public:
  long OpenKey(RegistryRoot, std::string_view, std::unique_ptr<RegistryKey>& key) override {
    key = std::make_unique<BrokenKey>(enumerations);
    return reg::kOk;
  }
  long CreateKey(RegistryRoot root, std::string_view path, std::unique_ptr<RegistryKey>& key) override {
    return OpenKey(root, path, key);
  }

  int enumerations = 0;
};

TEST(ReaderFailureTest, AKeyThatCannotBeEnumeratedEndsTheSearch) {
  BrokenRegistry registry;
  std::array<std::uint8_t, 4> value{};
  EXPECT_EQ(ReadRegistryValue(registry, kUser, kKey, "AutoUpDate", value), 0);
  EXPECT_EQ(registry.enumerations, 1);
}

TEST(ReaderBoundsTest, ACountBeyondTheDataBufferIsBounded) {
  SimRegistry registry;
  registry.SetRaw(kUser, kKey, {"Big", reg::kBinary, std::vector<std::uint8_t>(600, 9)});
  registry.SetRaw(kUser, kKey, {"Small", reg::kBinary, std::vector<std::uint8_t>(3, 5)});
  std::vector<std::uint8_t> out(1000, 1);
  EXPECT_EQ(ReadRegistryValue(registry, kUser, kKey, "Small", out), 0);
  EXPECT_EQ(out[0], 5);
  EXPECT_EQ(out[3], 0);
  EXPECT_EQ(out[511], 0);
  EXPECT_EQ(out[512], 1);  // past the 512-byte buffer nothing is touched
}

struct WriterCase {
  const char* name;
  int kind;
  std::vector<std::uint8_t> data;
  std::uint32_t type;
  std::vector<std::uint8_t> stored;
};

class WriterTest : public ::testing::TestWithParam<WriterCase> {};

TEST_P(WriterTest, StoresByKind) {
  const WriterCase& c = GetParam();
  SimRegistry registry;
  WriteRegistryValue(registry, kUser, c.kind, kKey, "Value", c.data);
  const auto value = registry.Value(kUser, kKey, "Value");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, c.type);
  EXPECT_EQ(value->data, c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, WriterTest,
    ::testing::Values(WriterCase{"Text", 1, {'a', 'b', 0}, reg::kSz, {'a', 'b', 0}},
                      WriterCase{"TextAsGiven", 1, {'a', 'b'}, reg::kSz, {'a', 'b'}},
                      WriterCase{"BinaryFirstByte", 3, {0x12, 0x34}, reg::kBinary, {0x12}},
                      WriterCase{"DwordWidensTheFirstByte", 4, {0xFF, 0x01}, reg::kDword, {0xFF, 0, 0, 0}},
                      WriterCase{"AnyOtherKindIsBinary", 7, {0x56, 0x78}, reg::kBinary, {0x56}},
                      WriterCase{"NoDataIsZero", 4, {}, reg::kDword, {0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriterFailureTest, AKeyThatCannotBeMadeGetsNothing) {
  SimRegistry registry;
  registry.DenyCreation(kUser, kKey);
  const std::uint8_t one = 1;
  WriteRegistryValue(registry, kUser, kWriteDword, kKey, "AutoUpDate", std::span(&one, 1));
  EXPECT_TRUE(registry.writes().empty());
}

TEST(NamedMutexTest, OnlyTheFirstHolderGetsAHandleUntilItReleases) {
  SimMutexes mutexes;
  std::unique_ptr<NamedMutex> first = CreateNamedMutex(mutexes, "HolDeviceRemove");
  ASSERT_TRUE(first);
  EXPECT_FALSE(CreateNamedMutex(mutexes, "HolDeviceRemove"));
  EXPECT_TRUE(mutexes.Exists("HolDeviceRemove"));

  ReleaseNamedMutex(first);
  EXPECT_FALSE(first);
  EXPECT_EQ(mutexes.releases(), 1);
  EXPECT_TRUE(CreateNamedMutex(mutexes, "HolDeviceRemove"));

  std::unique_ptr<NamedMutex> none;
  ReleaseNamedMutex(none);
  EXPECT_EQ(mutexes.releases(), 1);
}

TEST(NamedMutexTest, NamesAreCutToFifteenCharacters) {
  SimMutexes mutexes;
  const auto held = CreateNamedMutex(mutexes, "ABCDEFGHIJKLMNOPQ");
  EXPECT_TRUE(mutexes.Exists("ABCDEFGHIJKLMNO"));
}

}  // namespace
}  // namespace holvara
