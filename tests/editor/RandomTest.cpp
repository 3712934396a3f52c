#include <gtest/gtest.h>

#include <vector>

#include "core/Random.h"

namespace kroma {
namespace {

TEST(Random, FollowsTheLinearCongruentialSequence) {
  RandSeed = 0;
  EXPECT_EQ(Random(100), 0);  // x = 1
  EXPECT_EQ(RandSeed, 1u);
  EXPECT_EQ(Random(100), 3);  // x = 134775814: 13477581400 >> 32
  EXPECT_EQ(RandSeed, 134775814u);
  RandSeed = 0xFFFFFFFFu;  // x wraps: 0xFFFFFFFF * 134775813 + 1 mod 2^32
  EXPECT_EQ(Random(1 << 30), static_cast<int>((std::uint64_t{0xFFFFFFFFu * 134775813u + 1u} << 30) >> 32));
}

TEST(Random, StaysInRangeAndNonPositiveGivesZero) {
  RandSeed = 12345;
  for (int i = 0; i < 1000; ++i) {
    int v = Random(7);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
  }
  std::uint32_t before = RandSeed;
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-5), 0);
  EXPECT_NE(RandSeed, before) << "the generator still advances";
  int big = Random(2147483647);
  EXPECT_GE(big, 0);
}

// A script that seeds the generator repeats exactly, also through the
// clock reseeds some effects make.
TEST(Random, ReseedsAfterASeedRepeat) {
  auto run = [] {
    SeedRandom(2024);
    std::vector<int> drawn;
    for (int i = 0; i < 3; ++i) {
      drawn.push_back(Random(1000000));
      Randomize();
      drawn.push_back(Random(1000000));
    }
    return drawn;
  };
  const std::vector<int> first = run();
  EXPECT_EQ(run(), first);
  SeedRandom(2025);
  EXPECT_NE(Random(1000000), first[0]);
}

TEST(Random, SameSeedSameSequence) {
  RandSeed = 99;
  int a[5];
  for (int& v : a) v = Random(1000);
  RandSeed = 99;
  for (int v : a) EXPECT_EQ(Random(1000), v);
}

}  // namespace
}  // namespace kroma
