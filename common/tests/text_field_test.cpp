#include "common/text_field.h"

#include <gtest/gtest.h>

#include <string>

namespace holvara {
namespace {

TEST(TextField, ReadStopsAtFirstNulOrAtFieldEnd) {
  const char terminated[8] = {'a', 'b', '\0', 'x', 'y', '\0', '\0', '\0'};
  EXPECT_EQ(ReadField(terminated), "ab");

  // An unterminated field from the pipe is read to its last byte and not one byte further.
  struct {
    char field[4];
    char after[4];
  } unterminated = {{'w', 'x', 'y', 'z'}, {'!', '!', '!', '\0'}};
  EXPECT_EQ(ReadField(unterminated.field), "wxyz");
}

TEST(TextField, CopyCutsToFitAndZeroesTheRest) {
  char field[6];
  std::memset(field, 'Q', sizeof field);
  CopyToField(field, "abcdefgh");
  EXPECT_EQ(std::string(field), "abcde");

  CopyToField(field, "ab");
  EXPECT_EQ(std::string(field, sizeof field), std::string("ab\0\0\0\0", 6));
}

}  // namespace
}  // namespace holvara
