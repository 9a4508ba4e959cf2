#include "common/veto_types.h"

#include <gtest/gtest.h>

namespace holvara {
namespace {

TEST(VetoTypes, NamesFollowTheSystemsNumbering) {
  EXPECT_EQ(VetoTypeName(kVetoUnknown), "unknown");
  EXPECT_EQ(VetoTypeName(kVetoWindowsApp), "windowsApp");
  EXPECT_EQ(VetoTypeName(kVetoOutstandingOpen), "outstandingOpen");
  EXPECT_EQ(VetoTypeName(kVetoDriver), "driver");
  EXPECT_EQ(VetoTypeName(kVetoAlreadyRemoved), "alreadyRemoved");
  // A value from the pipe past the last known type is not read past the table.
  EXPECT_EQ(VetoTypeName(kLastVetoType + 1), "unknown");
  EXPECT_EQ(VetoTypeName(0xFFFFFFFF), "unknown");
}

}  // namespace
}  // namespace holvara
