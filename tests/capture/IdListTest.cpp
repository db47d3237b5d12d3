#include <gtest/gtest.h>

#include "capture/IdList.h"

namespace kvotlk::test {
namespace {

TEST(SplitIdList, CutsAtEveryComma) {
  using List = std::vector<std::string>;
  const std::pair<const char*, List> cases[] = {
      {"101,102,,104", {"", "101", "102", "", "104"}},
      {"7,", {"", "7"}},
      {"7,,", {"", "7", ""}},
      {"", {""}},
      {",", {"", ""}},
      {" 1 , 2", {"", " 1 ", " 2"}},
      {"12", {"", "12"}},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(SplitIdList(text), expected) << text;
  }
}

TEST(IdListEntry, OutsideTheListIsEmpty) {
  const auto list = SplitIdList("5,6");
  EXPECT_EQ(IdListEntry(list, 1), "5");
  EXPECT_EQ(IdListEntry(list, 2), "6");
  EXPECT_EQ(IdListEntry(list, 3), "");
  EXPECT_EQ(IdListEntry(list, 0), "");
  EXPECT_EQ(IdListEntry(list, -1), "");
  EXPECT_EQ(IdListEntry(list, 32767), "");
}

TEST(IdList, EntriesAndClearing) {
  auto list = SplitIdList(",");
  EXPECT_TRUE(HasIdEntries(list));
  ClearIdList(list);
  EXPECT_FALSE(HasIdEntries(list));
  EXPECT_EQ(list.size(), 1U);
}

}  // namespace
}  // namespace kvotlk::test
