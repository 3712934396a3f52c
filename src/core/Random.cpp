#include "core/Random.h"

#include <chrono>

namespace kroma {

std::uint32_t RandSeed = 0;

namespace {

std::uint32_t Next() {
  RandSeed = RandSeed * 134775813u + 1u;
  return RandSeed;
}

}  // namespace

int Random(int n) {
  std::uint64_t x = Next();
  if (n <= 0) return 0;
  return static_cast<int>((x * static_cast<std::uint64_t>(n)) >> 32);
}

double RandomReal() { return static_cast<double>(Next()) / 4294967296.0; }

void Randomize() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  RandSeed = static_cast<std::uint32_t>(ms);
}

}  // namespace kroma
