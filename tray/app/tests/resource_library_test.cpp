// What the program asks of both resource libraries: every numbered string, fitting the buffer the
// program loads it into; the dialog templates with the controls their dialogs address; the images,
// icon and cursor.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tray/resources/sim_libraries.h"

namespace holvara {
namespace {

constexpr std::size_t kTextBuffer = 255;
// Strings that are also loaded into a smaller buffer: the icon's tip and the confirmation before
// removing a device that holds system files.
const std::map<std::uint32_t, std::size_t> kSmallerBuffers = {{5, 64}, {18, 128}};

const std::vector<std::uint32_t> kStrings = {1,  2,  3,  4,  5,  6,   7,    8,    9,    10,   11,   13,   16,   17,
                                             18, 19, 20, 22, 25, 27,  28,   30,   31,   32,   33,   34,   35,   37,
                                             38, 39, 40, 41, 42, 128, 5001, 5002, 5003, 5004, 5005, 5006, 5007, 5008};

struct DialogCase {
  int templateId;
  std::set<int> controls;
  bool closeBox;
};

const std::vector<DialogCase> kDialogs = {
    {106, {1, 2, 1000, 1001, 1002, 1003, 1006, 1007, 1008, 1009, 1011}, true},
    {107, {1, 2, 1000, 1006, 1007, 1008, 1009, 1015}, true},
    {110, {1000}, false},  // the rescan ends only by itself
    {115, {1, 2, 1008, 1009, 1010, 1011, 1015}, true},
    {132, {1000}, false},  // the removal progress ends only when its worker has ended
};

class ResourceLibraryTest : public ::testing::TestWithParam<const SimResourceData*> {};

TEST_P(ResourceLibraryTest, HoldsEveryStringWithinItsBuffer) {
  const SimResourceData& library = *GetParam();
  for (std::uint32_t id : kStrings) {
    const auto found = library.strings.find(id);
    ASSERT_NE(found, library.strings.end()) << "string " << id;
    EXPECT_FALSE(found->second.empty()) << "string " << id;
    const auto smaller = kSmallerBuffers.find(id);
    const std::size_t buffer = smaller == kSmallerBuffers.end() ? kTextBuffer : smaller->second;
    EXPECT_LT(found->second.size(), buffer) << "string " << id << " does not fit " << buffer << " bytes";
  }
}

TEST_P(ResourceLibraryTest, HoldsEveryDialogWithItsControls) {
  const SimResourceData& library = *GetParam();
  for (const DialogCase& expected : kDialogs) {
    const auto found = library.dialogs.find(expected.templateId);
    ASSERT_NE(found, library.dialogs.end()) << "dialog " << expected.templateId;
    std::set<int> controls;
    for (const SimControlTemplate& control : found->second.controls) controls.insert(control.id);
    EXPECT_EQ(controls, expected.controls) << "dialog " << expected.templateId;
    EXPECT_EQ(found->second.closeBox, expected.closeBox) << "dialog " << expected.templateId;
  }
}

TEST_P(ResourceLibraryTest, HoldsTheImagesIconAndCursor) {
  const SimResourceData& library = *GetParam();
  EXPECT_EQ(library.bitmaps, (std::set<std::uint32_t>{111, 117, 130}));
  EXPECT_EQ(library.icons, std::set<std::uint32_t>{128});
  EXPECT_EQ(library.cursors, std::set<std::uint32_t>{116});
}

INSTANTIATE_TEST_SUITE_P(Libraries, ResourceLibraryTest,
                         ::testing::Values(&EnglishResourceLibrary(), &JapaneseResourceLibrary()),
                         [](const auto& info) { return info.index == 0 ? "English" : "Japanese"; });

}  // namespace
}  // namespace holvara
