#pragma once
// The one process-wide uniform random generator. A 32-bit linear
// congruential generator (x := x * 134775813 + 1), so a given seed gives
// the same sequence on every machine; brushes and image commands draw
// from it and tests pin it with RandSeed. Its state is atomic, so a
// preview rendered off the window's thread may draw from it too.
#include <atomic>
#include <cstdint>

namespace kroma {

// The generator's state. Set it for a repeatable sequence.
extern std::atomic<std::uint32_t> RandSeed;

// A uniform integer 0 .. n - 1: ((x * n) >> 32) of the next state x, in
// 64 bits. n <= 0 gives 0 (the generator still advances).
int Random(int n);

// A uniform real in [0, 1): the next state x divided by 2^32.
double RandomReal();

// Seeds the generator from the clock; after SeedRandom, from the
// generator's own state instead, so a seeded run repeats exactly.
void Randomize();

// Sets the state and makes every later Randomize derive from it.
void SeedRandom(std::uint32_t seed);

}  // namespace kroma
