#include "host/option_list.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Walks a null-terminated pair array as the plug-in does.
void* Find(void* list, const char* key) {
  void** pairs = static_cast<void**>(list);
  for (; pairs[0] != nullptr; pairs += 2) {
    if (std::strcmp(static_cast<const char*>(pairs[0]), key) == 0) return pairs[1];
  }
  return nullptr;
}

TEST(OptionList, PairsKeepOrderDuplicatesAndANullTerminator) {
  standin::OptionList options;
  int blob = 0;
  options.Int("state", 1).Int("state", 2).Pointer("scene", &blob).Pointer("filename", nullptr);
  void** pairs = options.Pairs();
  EXPECT_STREQ(static_cast<const char*>(pairs[0]), "state");
  EXPECT_EQ(*static_cast<int32_t*>(pairs[1]), 1);
  EXPECT_EQ(*static_cast<int32_t*>(pairs[3]), 2);
  EXPECT_EQ(pairs[5], &blob);
  EXPECT_EQ(pairs[7], nullptr);
  EXPECT_EQ(pairs[8], nullptr);
  EXPECT_EQ(options.Size(), 4);
}

TEST(OptionList, WrittenBackIntsCanBeReadAfterwardsEvenAfterGrowing) {
  standin::OptionList options;
  options.Int("result", -1);
  void* list = options.Data();
  *static_cast<int32_t*>(Find(list, "result")) = 59;
  for (int i = 0; i < 100; ++i) options.Int("k" + std::to_string(i), i);  // must not move "result"
  EXPECT_EQ(options.IntValue("result"), 59);
  EXPECT_EQ(*static_cast<int32_t*>(Find(options.Data(), "k99")), 99);
  EXPECT_EQ(options.IntAt("missing"), nullptr);
  EXPECT_EQ(options.IntValue("missing", 12), 12);
  EXPECT_EQ(standin::OptionList().Pairs()[0], nullptr);
}

}  // namespace
