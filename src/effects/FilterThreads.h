#pragma once
// How many threads the filters split their rows across. Every row is
// computed by exactly one thread from data no other thread writes, so the
// result is the same for any count.

namespace kroma {

// At least 1; by default the machine's processor count, at most 8.
int FilterThreadCount();
// Values below 1 mean 1.
void SetFilterThreadCount(int count);

}  // namespace kroma
