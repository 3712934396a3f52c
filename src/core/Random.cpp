#include "core/Random.h"

#include <chrono>

namespace kroma {

std::atomic<std::uint32_t> RandSeed{0};

namespace {

std::atomic<bool> gSeeded{false};

std::uint32_t Step(std::uint32_t x) { return x * 134775813u + 1u; }

std::uint32_t Next() {
  const std::uint32_t x = Step(RandSeed.load(std::memory_order_relaxed));
  RandSeed.store(x, std::memory_order_relaxed);
  return x;
}

}  // namespace

int Random(int n) {
  std::uint64_t x = Next();
  if (n <= 0) return 0;
  return static_cast<int>((x * static_cast<std::uint64_t>(n)) >> 32);
}

double RandomReal() { return static_cast<double>(Next()) / 4294967296.0; }

void Randomize() {
  if (gSeeded.load(std::memory_order_relaxed)) {
    // A new state the sequence so far determines, mixed so that it does
    // not continue the sequence where it stands.
    std::uint32_t x = Next();
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    RandSeed.store(x, std::memory_order_relaxed);
    return;
  }
  auto now = std::chrono::system_clock::now().time_since_epoch();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  RandSeed.store(static_cast<std::uint32_t>(ms), std::memory_order_relaxed);
}

void SeedRandom(std::uint32_t seed) {
  RandSeed.store(seed, std::memory_order_relaxed);
  gSeeded.store(true, std::memory_order_relaxed);
}

}  // namespace kroma
